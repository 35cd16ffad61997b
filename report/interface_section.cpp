// The interface, buzzer, scanner and prefix-and-suffix sections.
#include <array>

#include "report/report_writer.h"

namespace {

constexpr ValueLine kRs232Lines[] = {
    {"    Transmission Mode : %s\r\n", {field::transmissionMode, &kTransmissionModeTexts}},
    {"    Baud Rate : %s bps\r\n", {field::baudRate, &kBaudRateTexts}},
    {"    Parity : %s\r\n", {field::parity, &kParityTexts}},
    {"    Data Bits : %s Bits\r\n", {field::dataBits, &kDataBitsTexts}},
    {"    Flow Control : %s\r\n", {field::flowControl, &kFlowControlTexts}},
    {"    Inter-Character Delay : %d ms\r\n", {field::interCharDelay}},
};

constexpr ValueLine kWedgeLines[] = {
    {"    Keyboard Type : %s\r\n", {field::interfaceType, &kKeyboardTypeTexts, 1}},
    {"    Digits Transmission : %s\r\n", {field::digitsTransmission, &kDigitsTransmissionTexts}},
    {"    Capital Lock Type : %s\r\n", {field::capsLockType, &kCapsLockTypeTexts}},
    {"    Digits Layout : %s\r\n", {field::digitsLayout, &kDigitsLayoutTexts}},
    {"    Alphabets Transmission : %s\r\n",
     {field::alphabetsTransmission, &kAlphabetsTransmissionTexts}},
    {"    Capital Lock State : %s\r\n", {field::capsLockState, &kCapsLockStateTexts}},
    {"    Alternate Composing : %s\r\n", {field::alternateComposing, &kSwitchTexts}},
    {"    Alphabets Layout : %s\r\n", {field::alphabetsLayout, &kAlphabetsLayoutTexts}},
    {"    Laptop Support : %s\r\n", {field::laptopSupport, &kSwitchTexts}},
    {"    Inter-Character Delay : %d ms\r\n", {field::interCharDelay}},
};

// Wand emulation has no inter-character delay.
constexpr ValueLine kWandLines[] = {
    {"    Margin Time : %s\r\n", {field::marginTime, &kMarginTimeTexts}},
    {"    Module Time : %s\r\n", {field::moduleTime, &kModuleTimeTexts}},
    {"    Normal State : %s\r\n", {field::normalState, &kSignalStateTexts}},
    {"    Bar State : %s\r\n", {field::barState, &kSignalStateTexts}},
};

// The lines of each interface, indexed by InterfaceKind.
constexpr std::array<std::span<const ValueLine>, 3> kInterfaceLines = {kWedgeLines, kRs232Lines,
                                                                       kWandLines};

constexpr ValueLine kScannerLines[] = {
    {"    Scan Mode : %-25s Scanner Timeout : %d sec\r\n",
     {field::scanningMode, &kScanningModeTexts},
     ValueSpec{field::scanTimeout}},
    {"    Negative Barcode : %-18s Reading Redundancy : %s\r\n",
     {field::negativeBarcode, &kSwitchTexts},
     ValueSpec{field::readRedundancy, &kReadRedundancyTexts}},
    {"    Delay between Reread : %-14s Good-Read LED : %s\r\n",
     {field::rereadDelay, &kRereadDelayTexts},
     ValueSpec{field::goodReadLed, &kSwitchTexts}},
    {"    Auto Sense : %s\r\n", {field::autoSense, &kSwitchTexts}},
};

}  // namespace

void AppendInterfaceSection(const ReportWriter& out) {
  // The block follows the image's own interface, whatever mode keys are read in.
  const int kind = static_cast<int>(InterfaceModeFromImage(out.image));
  out.Piece("\r\nInterface Settings\r\n");
  out.Piece("    Interface Type : %s\r\n", {kInterfaceTexts[kind]});
  out.Lines(kInterfaceLines[kind]);
}

void AppendScannerSections(const ReportWriter& out) {
  out.Piece("\r\nBuzzer Settings\r\n");
  out.Piece("    Buzzer : %-28s Frequency : %c KHz\r\n",
            {SwitchText(Get(out.image, field::buzzerOff) == 0),
             out.Spell({field::buzzerFrequency, &kBuzzerFrequencyDigits})});

  out.Piece("\r\nScanner Settings\r\n");
  out.Lines(kScannerLines);

  out.Piece("\r\nPrefix & Suffix\r\n");
  out.Piece("    Prefix Settings : %s \r\n", {out.Keys(Bytes(out.image, field::prefix))});
  out.Piece("    Suffix Settings : %s \r\n", {out.Keys(Bytes(out.image, field::suffix))});
}
