// The whole report: the factory configuration against the hand-written golden
// report, the process-wide entry point, and every value of every byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "report/report_writer.h"
#include "report/settings_report.h"
#include "settings/factory_defaults.h"
#include "tests/report/golden_report.h"
#include "tests/report/report_test_support.h"

namespace {

TEST(FormatPiece, PadsAndAlignsLikePrintf) {
  EXPECT_EQ(FormatPiece("    Code 39 : %-25s Code 128 : %s\r\n", {"Enable", "Disable"}),
            "    Code 39 : Enable                    Code 128 : Disable\r\n");
  EXPECT_EQ(FormatPiece("%s %3d\r\n", {"Max Length :", "4"}), "Max Length :   4\r\n");
  EXPECT_EQ(FormatPiece("%3d|%-3s|%c", {"1234", "abcd", "4"}), "1234|abcd|4");
  EXPECT_EQ(FormatPiece("100%% %d ms", {"5"}), "100% 5 ms");
  // A conversion without an argument prints nothing rather than reading past the list.
  EXPECT_EQ(FormatPiece("[%s][%-4s]", {"a"}), "[a][    ]");
  EXPECT_EQ(FormatPiece("ends in %", {}), "ends in %");
}

TEST(SettingsReport, FactoryImageGivesTheGoldenReport) {
  const std::string report = ReportText(FactoryImage(), kWedge);
  EXPECT_EQ(report, FactoryReportGolden());
  // Compared line by line as well, so that a difference is easy to find.
  size_t begin = 0;
  int line = 1;
  while (begin < report.size() && begin < FactoryReportGolden().size()) {
    const size_t end = report.find('\n', begin);
    ASSERT_EQ(report.substr(begin, end - begin + 1),
              FactoryReportGolden().substr(begin, end - begin + 1))
        << "line " << line;
    begin = end + 1;
    ++line;
  }
}

TEST(SettingsReport, ReportTextIsThePiecesInOrder) {
  std::vector<std::string> pieces;
  RenderReport(FactoryImage(), kWedge,
               [&pieces](std::string_view piece) { pieces.emplace_back(piece); });
  std::string joined;
  for (const std::string& p : pieces) joined += p;
  EXPECT_EQ(joined, FactoryReportGolden());
  // The readable-code heading ends in CR alone and the blocks bring their LF.
  const auto has = [&pieces](const std::string& p) {
    return std::find(pieces.begin(), pieces.end(), p) != pieces.end();
  };
  EXPECT_TRUE(has("\r\nReadable Code Types & Settings\r"));
  EXPECT_TRUE(has("\n    Enable Code 39\r\n"));
  EXPECT_TRUE(has("\n    UPCE :\r\n"));
  EXPECT_TRUE(has("\n    Disable Editing Format 1\r\n"));
  EXPECT_TRUE(has("    * Length Qualification : "));
}

TEST(SettingsReport, KeySequencesFollowTheModeGivenNotTheImage) {
  const SettingsImage factory = FactoryImage();
  const std::string golden(FactoryReportGolden());
  const std::string ascii = ReplaceAll(golden, "[Enter]", "[CR]");
  EXPECT_EQ(ReportText(factory, kRs232), ascii);
  EXPECT_EQ(ReportText(factory, kWand), ascii);

  SettingsImage rs232 = factory;
  Set(rs232, field::interfaceType, 0);
  EXPECT_NE(ReportText(rs232, kWedge).find("    Suffix Settings : [Enter] \r\n"),
            std::string::npos);
  EXPECT_NE(ReportText(rs232, kRs232).find("    Suffix Settings : [CR] \r\n"), std::string::npos);
}

class ProcessWideReport : public ::testing::Test {
 protected:
  void SetUp() override {
    savedImage_ = settingsImage;
    savedMode_ = InterfaceMode;
  }
  void TearDown() override {
    settingsImage = savedImage_;
    InterfaceMode = savedMode_;
    RefreshEditFormatCopies();
  }
  static std::string Render() {
    std::string text;
    RenderSettingsReport([&text](std::string_view piece) { text += piece; });
    return text;
  }

 private:
  SettingsImage savedImage_;
  InterfaceKind savedMode_ = kWedge;
};

TEST_F(ProcessWideReport, ReadsTheImageAndTheInterfaceMode) {
  settingsImage = FactoryImage();
  InterfaceMode = kWedge;
  EXPECT_EQ(Render(), FactoryReportGolden());
  InterfaceMode = kWand;
  EXPECT_EQ(Render(), ReplaceAll(std::string(FactoryReportGolden()), "[Enter]", "[CR]"));
}

TEST_F(ProcessWideReport, OverwritesTheEditingFormatWorkingCopies) {
  settingsImage = FactoryImage();
  Set(settingsImage, field::interfaceType, 0);
  EditFormat changed = ReadEditFormat(settingsImage, 2);
  Set(changed, field::minLength, 9);
  WriteEditFormat(settingsImage, 2, changed);
  for (EditFormat& copy : editFormatCopies) copy.bytes.fill(0xAA);

  const std::string report = Render();
  for (int n = 1; n <= kEditFormatCount; ++n)
    EXPECT_EQ(editFormatCopies[n - 1].bytes, ReadEditFormat(settingsImage, n).bytes) << n;
  EXPECT_NE(FormatBlock(report, 2).find("      ** Minimum Length : 9\r\n"), std::string::npos);
}

TEST(SettingsReport, BuzzerLine) {
  SettingsImage image = FactoryImage();
  Set(image, field::buzzerOff, 1);
  const char* const digits[] = {"8", "4", "2", "1"};
  for (unsigned f = 0; f < 4; ++f) {
    Set(image, field::buzzerFrequency, f);
    EXPECT_NE(ScannerSection(ReportText(image, kWedge))
                  .find("    Buzzer : Disable                      Frequency : " +
                        std::string(digits[f]) + " KHz\r\n"),
              std::string::npos)
        << f;
  }
}

TEST(SettingsReport, ScannerSection) {
  SettingsImage image = FactoryImage();
  Set(image, field::scanningMode, 7);
  Set(image, field::scanTimeout, 255);
  Set(image, field::negativeBarcode, 1);
  Set(image, field::readRedundancy, 3);
  Set(image, field::rereadDelay, 7);
  Set(image, field::goodReadLed, 1);
  Set(image, field::autoSense, 1);
  const std::string want =
      "\r\nScanner Settings\r\n"
      "    Scan Mode : Testing                   Scanner Timeout : 255 sec\r\n"
      "    Negative Barcode : Enable             Reading Redundancy : Four times\r\n"
      "    Delay between Reread : 5 sec          Good-Read LED : Enable\r\n"
      "    Auto Sense : Enable\r\n";
  EXPECT_EQ(Between(ReportText(image, kWedge), "\r\nScanner Settings", "\r\nPrefix"), want);
}

TEST(SettingsReport, ScanModesOutsideTheListShowTheirNumber) {
  SettingsImage image = FactoryImage();
  for (unsigned mode = 8; mode <= 15; ++mode) {
    Set(image, field::scanningMode, mode);
    std::string scanMode = std::to_string(mode);
    scanMode.resize(25, ' ');
    EXPECT_NE(ReportText(image, kWedge)
                  .find("    Scan Mode : " + scanMode + " Scanner Timeout : 10 sec\r\n"),
              std::string::npos)
        << mode;
  }
}

TEST(SettingsReport, PrefixAndSuffixShowFourBytes) {
  SettingsImage image = FactoryImage();
  const uint8_t prefix[] = {0xC3, 0x0D, 0xC3, 0x09};
  std::copy(std::begin(prefix), std::end(prefix), Bytes(image, field::prefix).begin());
  const uint8_t suffix[] = {0x41, 0x42, 0x43, 0x44};
  std::copy(std::begin(suffix), std::end(suffix), Bytes(image, field::suffix).begin());
  const std::string wedge = ReportText(image, kWedge);
  EXPECT_NE(wedge.find("    Prefix Settings : [Shift][LeftCtrl][Enter][Shift][LeftCtrl][HT] \r\n"
                       "    Suffix Settings : [A][B][C][D] \r\n"),
            std::string::npos);
  EXPECT_NE(ReportText(image, kRs232).find("    Suffix Settings : [A][B][C][D] \r\n"),
            std::string::npos);
}

TEST(SettingsReport, CodeLengthSwitchesSitInTheirColumns) {
  SettingsImage image = FactoryImage();
  Set(image, field::codeLengthOn(CodeLengthSymbology::ItalianPharmacode), 1);
  Set(image, field::codeLengthOn(CodeLengthSymbology::Msi), 1);
  Set(image, field::codeLengthOn(CodeLengthSymbology::Plessey), 1);
  Set(image, field::codeLengthOn(CodeLengthSymbology::Code93), 1);
  const std::string want =
      "\r\nCode Length Settings\r\n"
      "    Code 39 : Disable                   Code 128 : Disable\r\n"
      "    Italian Pharmacode : Enable         EAN 128 : Disable\r\n"
      "    French Pharmacode : Disable         UPCE : Disable\r\n"
      "    Industrial 25 : Disable             EAN 8 : Disable\r\n"
      "    Interleave 25 : Disable             EAN 13 : Disable\r\n"
      "    Matrix 25 : Disable                 UPCA : Disable\r\n"
      "    Codabar : Disable                   MSI : Enable\r\n"
      "    Code 93 : Enable                    Plessey : Enable\r\n";
  EXPECT_EQ(Between(ReportText(image, kWedge), "\r\nCode Length Settings", "\r\nCode ID"), want);
}

TEST(SettingsReport, CodeIdsPrintOnlyWhenTheirFirstByteIsSet) {
  SettingsImage image = FactoryImage();
  EXPECT_EQ(CodeIdSection(ReportText(image, kWedge)), "\r\nCode ID Settings\r\n");

  const auto setId = [&image](int i, uint8_t first, uint8_t second) {
    auto id = Bytes(image, field::codeId(i));
    id[0] = first;
    id[1] = second;
  };
  setId(0, 0x41, 0x42);   // Code 39
  setId(3, 0x00, 0x41);   // Industrial 25: no first byte, no line
  setId(9, 0x45, 0x00);   // UPCE
  setId(14, 0xC1, 0x61);  // Plessey
  EXPECT_EQ(CodeIdSection(ReportText(image, kWedge)),
            "\r\nCode ID Settings\r\n"
            "    Code 39 : [A][B] \r\n"
            "    UPCE : [E] \r\n"
            "    Plessey : [Shift][a] \r\n");

  for (int i = 0; i < field::kCodeIdCount; ++i) setId(i, 0x30 + i, 0);
  EXPECT_EQ(CodeIdSection(ReportText(image, kRs232)),
            "\r\nCode ID Settings\r\n"
            "    Code 39 : [0] \r\n"
            "    Italian Pharmacode : [1] \r\n"
            "    French Pharmacode : [2] \r\n"
            "    Industrial 25 : [3] \r\n"
            "    Interleave 25 : [4] \r\n"
            "    Matrix 25 : [5] \r\n"
            "    Codabar : [6] \r\n"
            "    Code 93 : [7] \r\n"
            "    Code 128 : [8] \r\n"
            "    UPCE : [9] \r\n"
            "    EAN 8 : [:] \r\n"
            "    EAN 13 : [;] \r\n"
            "    UPCA : [<] \r\n"
            "    MSI : [=] \r\n"
            "    Plessey : [>] \r\n");
}

TEST(SettingsReport, SubstitutionsPrintOnlyPairsWithAFromCode) {
  SettingsImage image = FactoryImage();
  EXPECT_EQ(SubstitutionSection(ReportText(image, kWedge)),
            "\r\nCharacter Substitution Settings \r\n");
  Set(image, field::toCode(1), 0x42);  // no fromCode: still empty
  Set(image, field::fromCode(2), 0x41);
  Set(image, field::toCode(2), 0x61);
  Set(image, field::fromCode(3), 0x2C);
  EXPECT_EQ(SubstitutionSection(ReportText(image, kRs232)),
            "\r\nCharacter Substitution Settings \r\n"
            "    Substitution2 : [A][a] \r\n"
            "    Substitution3 : [,] \r\n");
  Set(image, field::fromCode(1), 0x0D);
  EXPECT_NE(
      SubstitutionSection(ReportText(image, kWedge)).find("    Substitution1 : [Enter][B] \r\n"),
      std::string::npos);
}

// Every value of every byte over the factory image, the key modes taken in
// turn: the report is always built and always shaped the same way at its ends.
// Under the sanitizers this also proves that no table is read out of bounds.
TEST(SettingsReport, EveryValueOfEveryByteRenders) {
  const InterfaceKind modes[] = {kWedge, kRs232, kWand};
  const SettingsImage factory = FactoryImage();
  const std::string banner = "**************************************\r\n";
  const std::string tail = "\n    * Transmission Sequence : [F1]\r\n";
  for (int offset = 0; offset < kImageSize; ++offset) {
    for (int value = 0; value < 256; ++value) {
      SettingsImage image = factory;
      image.bytes[offset] = static_cast<uint8_t>(value);
      const std::string report = ReportText(image, modes[(offset + value) % 3]);
      ASSERT_EQ(report.compare(0, banner.size(), banner), 0) << offset << " " << value;
      ASSERT_GE(report.size(), tail.size());
      ASSERT_EQ(report.find('\0'), std::string::npos) << offset << " " << value;
      if (offset < EditFormatOffset(3) + field::kSequenceOffset) {
        ASSERT_EQ(report.compare(report.size() - tail.size(), tail.size(), tail), 0)
            << offset << " " << value;
      }
    }
  }
}

}  // namespace
