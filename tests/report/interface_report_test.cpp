// The interface section: the block of each interface, every keyboard-wedge
// value, and the numbers shown for values outside the encodings.
#include <gtest/gtest.h>

#include "report/settings_report.h"
#include "settings/factory_defaults.h"
#include "tests/report/report_test_support.h"

namespace {

std::string InterfaceOf(const SettingsImage& image) {
  return InterfaceSection(ReportText(image, kWedge));
}

// The line of a keyboard-wedge label in the report of `image`.
std::string WedgeLine(const SettingsImage& image, const std::string& label) {
  const std::string start = "    " + label + " : ";
  return Between(InterfaceOf(image), start, "\r\n").substr(start.size()) + "\r\n";
}

TEST(InterfaceReport, Rs232Block) {
  SettingsImage image = FactoryImage();
  Set(image, field::interfaceType, 0);
  Set(image, field::transmissionMode, 2);
  Set(image, field::baudRate, 7);
  Set(image, field::parity, 2);
  Set(image, field::dataBits, 0);
  Set(image, field::flowControl, 3);
  Set(image, field::interCharDelay, 255);
  EXPECT_EQ(InterfaceOf(image),
            "\r\nInterface Settings\r\n"
            "    Interface Type : RS-232\r\n"
            "    Transmission Mode : Dual Port, Female End\r\n"
            "    Baud Rate : 300 bps\r\n"
            "    Parity : Odd\r\n"
            "    Data Bits : 7 Bits\r\n"
            "    Flow Control : Inverted Data Ready\r\n"
            "    Inter-Character Delay : 255 ms\r\n");

  // The factory line format: 9600 bits per second, no parity, 8 data bits.
  SettingsImage factoryRs232 = FactoryImage();
  Set(factoryRs232, field::interfaceType, 0);
  EXPECT_EQ(InterfaceOf(factoryRs232),
            "\r\nInterface Settings\r\n"
            "    Interface Type : RS-232\r\n"
            "    Transmission Mode : Single Port\r\n"
            "    Baud Rate : 9600 bps\r\n"
            "    Parity : None\r\n"
            "    Data Bits : 8 Bits\r\n"
            "    Flow Control : None\r\n"
            "    Inter-Character Delay : 0 ms\r\n");
}

TEST(InterfaceReport, Rs232ParityThreeShowsTheNumber) {
  SettingsImage image = FactoryImage();
  Set(image, field::interfaceType, 0);
  Set(image, field::parity, 3);
  EXPECT_NE(InterfaceOf(image).find("    Parity : 3\r\n"), std::string::npos);
}

TEST(InterfaceReport, WandEmulationBlockHasNoDelay) {
  SettingsImage image = FactoryImage();
  Set(image, field::interfaceType, 250);
  EXPECT_EQ(InterfaceOf(image),
            "\r\nInterface Settings\r\n"
            "    Interface Type : Wand Emulation\r\n"
            "    Margin Time : 20 ms\r\n"
            "    Module Time : 1 ms\r\n"
            "    Normal State : Low\r\n"
            "    Bar State : High\r\n");
  Set(image, field::marginTime, 7);
  Set(image, field::moduleTime, 3);
  Set(image, field::normalState, 1);
  Set(image, field::barState, 0);
  Set(image, field::interCharDelay, 40);
  EXPECT_EQ(InterfaceOf(image),
            "\r\nInterface Settings\r\n"
            "    Interface Type : Wand Emulation\r\n"
            "    Margin Time : 100 ms\r\n"
            "    Module Time : 1.5 ms\r\n"
            "    Normal State : High\r\n"
            "    Bar State : Low\r\n");
}

TEST(InterfaceReport, KeyboardWedgeBlock) {
  SettingsImage image = FactoryImage();
  Set(image, field::interfaceType, 7);
  Set(image, field::digitsTransmission, 1);
  Set(image, field::capsLockType, 3);
  Set(image, field::digitsLayout, 2);
  Set(image, field::alphabetsTransmission, 1);
  Set(image, field::capsLockState, 2);
  Set(image, field::alternateComposing, 1);
  Set(image, field::alphabetsLayout, 2);
  Set(image, field::laptopSupport, 1);
  Set(image, field::interCharDelay, 12);
  EXPECT_EQ(InterfaceOf(image),
            "\r\nInterface Settings\r\n"
            "    Interface Type : Keyboard Wedge\r\n"
            "    Keyboard Type : PCAT (UK)\r\n"
            "    Digits Transmission : Numeric Key Pad\r\n"
            "    Capital Lock Type : Shift Lock\r\n"
            "    Digits Layout : Lower Row\r\n"
            "    Alphabets Transmission : Ignore Case\r\n"
            "    Capital Lock State : Auto Detection\r\n"
            "    Alternate Composing : Enable\r\n"
            "    Alphabets Layout : QWERTZ\r\n"
            "    Laptop Support : Enable\r\n"
            "    Inter-Character Delay : 12 ms\r\n");
}

TEST(InterfaceReport, KeyboardTypes) {
  SettingsImage image = FactoryImage();
  const std::pair<unsigned, const char*> known[] = {{1, "PCAT (US)"},
                                                    {10, "PCAT (Portuguese)"},
                                                    {20, "PS55 002-1, 003-1"},
                                                    {27, "PS2-30"},
                                                    {28, "IBM 34XX/319X, Memorex Telex 122 Keys"}};
  for (const auto& [type, name] : known) {
    Set(image, field::interfaceType, type);
    EXPECT_EQ(WedgeLine(image, "Keyboard Type"), std::string(name) + "\r\n") << type;
  }
  for (const unsigned type : {29u, 100u, 249u, 251u, 255u}) {
    Set(image, field::interfaceType, type);
    const std::string section = InterfaceOf(image);
    EXPECT_NE(section.find("    Interface Type : Keyboard Wedge\r\n"
                           "    Keyboard Type : " +
                           std::to_string(type) + "\r\n"),
              std::string::npos)
        << type;
  }
}

TEST(InterfaceReport, TwoBitListEncodings) {
  SettingsImage image = FactoryImage();
  const char* const capsLock[] = {"Normal", "Capital Lock", "Capital Lock", "Shift Lock"};
  const char* const digits[] = {"Normal", "Lower Row", "Lower Row", "Upper Row"};
  for (unsigned v = 0; v < 4; ++v) {
    Set(image, field::capsLockType, v);
    Set(image, field::digitsLayout, v);
    EXPECT_EQ(WedgeLine(image, "Capital Lock Type"), std::string(capsLock[v]) + "\r\n") << v;
    EXPECT_EQ(WedgeLine(image, "Digits Layout"), std::string(digits[v]) + "\r\n") << v;
  }
}

TEST(InterfaceReport, UnwrittenValuesShowTheirNumber) {
  SettingsImage image = FactoryImage();
  Set(image, field::capsLockState, 3);
  Set(image, field::alphabetsLayout, 3);
  EXPECT_EQ(WedgeLine(image, "Capital Lock State"), "3\r\n");
  EXPECT_EQ(WedgeLine(image, "Alphabets Layout"), "3\r\n");
  Set(image, field::capsLockState, 1);
  Set(image, field::alphabetsLayout, 1);
  EXPECT_EQ(WedgeLine(image, "Capital Lock State"), "ON\r\n");
  EXPECT_EQ(WedgeLine(image, "Alphabets Layout"), "AZERTY\r\n");
}

TEST(InterfaceReport, SwitchingTheInterfaceChangesOnlyItsBlock) {
  SettingsImage image = FactoryImage();
  const std::string wedge = ReportText(image, kWedge);
  const std::string rest = ReplaceAll(wedge, InterfaceSection(wedge), "");
  for (const unsigned type : {0u, 250u, 5u}) {
    Set(image, field::interfaceType, type);
    const std::string report = ReportText(image, kWedge);
    EXPECT_EQ(ReplaceAll(report, InterfaceSection(report), ""), rest) << type;
  }
}

}  // namespace
