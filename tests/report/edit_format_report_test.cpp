// The data-editing section: the "Inclusive" line, the blocks of the three
// editing formats in both field divisions, and the transmission sequence.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "report/settings_report.h"
#include "settings/factory_defaults.h"
#include "tests/report/report_test_support.h"
#include "tests/test_support.h"

namespace {

std::string Sequence(const std::string& hex) {
  std::array<uint8_t, 6> bytes{};
  const std::vector<uint8_t> given = Hex(hex);
  std::copy(given.begin(), given.end(), bytes.begin());
  return RenderSequence(bytes);
}

void SetKeys(EditFormat& format, FormatKeyField f, const std::string& hex) {
  const std::vector<uint8_t> bytes = Hex(hex);
  std::copy(bytes.begin(), bytes.end(), Bytes(format, f).begin());
}

TEST(RenderSequence, SpellsTheItems) {
  EXPECT_EQ(Sequence("12 7A 00"), "[F1][F2][A1][A4]");
  EXPECT_EQ(Sequence("10 00 34"), "[F1]");
  EXPECT_EQ(Sequence("70"), "[A1]");
  EXPECT_EQ(Sequence("07"), "[A1]");
  EXPECT_EQ(Sequence("C1"), "[F1]");
  EXPECT_EQ(Sequence(""), "");
  EXPECT_EQ(Sequence("12 34 56 78 9A BC"), "[F1][F2][F3][F4][F5][F6][A1][A2][A3][A4][A5]");
  EXPECT_EQ(Sequence("DE F0 0F"), "");
}

TEST(DataEditingReport, InclusiveLineOnlyWhenSet) {
  SettingsImage image = FactoryImage();
  EXPECT_EQ(DataEditingSection(ReportText(image, kWedge)).substr(0, 25),
            "\r\nData editing\r\n\n    Disa");
  Set(image, field::editInclusive, 1);
  EXPECT_EQ(DataEditingSection(ReportText(image, kWedge)).substr(0, 49),
            "\r\nData editing\r\n    Inclusive : Enable\r\n\n    Disa");
}

TEST(DataEditingReport, HeadersFollowTheFormatSwitches) {
  SettingsImage image = FactoryImage();
  Set(image, field::editFormatOn(2), 1);
  const std::string report = ReportText(image, kWedge);
  EXPECT_EQ(FormatBlock(report, 1).substr(0, 33), "\n    Disable Editing Format 1\r\n  ");
  EXPECT_EQ(FormatBlock(report, 2).substr(0, 32), "\n    Enable Editing Format 2\r\n  ");
  EXPECT_EQ(FormatBlock(report, 3).substr(0, 33), "\n    Disable Editing Format 3\r\n  ");
}

TEST(DataEditingReport, BlockDividedByLength) {
  SettingsImage image = FactoryImage();
  EditFormat format = ReadEditFormat(image, 1);
  format.bytes[0] = format.bytes[1] = format.bytes[2] = 0;
  Set(format, field::codeTypes(CodeType::Code128), 1);
  Set(format, field::codeTypes(CodeType::Msi), 1);
  Set(format, field::codeTypes(CodeType::Ean13Addon5), 1);
  Set(format, field::minLength, 4);
  Set(format, field::maxLength, 255);
  SetKeys(format, field::matchString, "41 42");
  Set(format, field::matchPosition, 3);
  Set(format, field::fieldCount, 2);
  Set(format, field::fieldLength(1), 5);
  Set(format, field::fieldLength(3), 127);
  SetKeys(format, field::terminator(1), "2C");
  for (int f = 1; f <= field::kFieldRecordCount; ++f) Set(format, field::includeTerminator(f), 0);
  SetKeys(format, field::additionalField(1), "41 42 43 44");
  SetKeys(format, field::additionalField(5), "C1 61 C1 62");
  SetKeys(format, field::additionalField(3), "0D");
  const std::vector<uint8_t> sequence = Hex("12 7A 00");
  std::copy(sequence.begin(), sequence.end(), format.bytes.begin() + field::kSequenceOffset);
  WriteEditFormat(image, 1, format);
  Set(image, field::editFormatOn(1), 1);

  EXPECT_EQ(FormatBlock(ReportText(image, kWedge), 1),
            "\n    Enable Editing Format 1\r\n"
            "    * Applicable Conditions\r\n"
            "      ** Applicable Code Type :\r\n"
            "         Code 39 : Disable                   Code 128 : Enable\r\n"
            "         Italian Pharmacode : Disable        EAN 128 : Disable\r\n"
            "         French Pharmacode : Disable         UPCE no Addon : Disable\r\n"
            "         Industrial 25 : Disable             UPCE Addon 2 : Disable\r\n"
            "         Interleave 25 : Disable             UPCE Addon 5 : Disable\r\n"
            "         Matrix 25 : Disable                 EAN8 no Addon : Disable\r\n"
            "         Codabar : Disable                   EAN8 Addon 2 : Disable\r\n"
            "         Code 93 : Disable                   EAN8 Addon 5: Disable\r\n"
            "         EAN13 no Addon : Disable            UPCA no Addon : Disable\r\n"
            "         EAN13 Addon 2 : Disable             UPCA Addon 2 : Disable\r\n"
            "         EAN13 Addon 5 : Enable              UPCA Addon 5 : Disable\r\n"
            "         MSI : Enable                        Plessey : Disable\r\n"
            "      ** Minimum Length : 4\r\n"
            "      ** Maximum Length : 255\r\n"
            "      ** Matching String : [A][B]\r\n"
            "      ** Matching String Location: 3\r\n"
            "\n    * Field Settings\r\n"
            "      ** Number of Fields : 2\r\n"
            "      ** Divide Field : By Length\r\n"
            "      ** Field Terminating String\r\n"
            "         Field 1: 5\r\n"
            "         Field 2: 0\r\n"
            "         Field 3: 127\r\n"
            "         Field 4: 0\r\n"
            "         Field 5: 0\r\n"
            "      ** Additional fields\r\n"
            "         Additional 1 : [A][B][C][D]\r\n"
            "         Additional 2 : \r\n"
            "         Additional 3 : [Enter]\r\n"
            "         Additional 4 : \r\n"
            "         Additional 5 : [Shift][a][Shift][b]\r\n"
            "\n    * Transmission Sequence : [F1][F2][A1][A4]\r\n");
}

TEST(DataEditingReport, BlockDividedByTerminatingString) {
  SettingsImage image = FactoryImage();
  EditFormat format = ReadEditFormat(image, 3);
  Set(format, field::fieldLength(2), 5);  // only field 1 decides the division
  SetKeys(format, field::terminator(1), "2C");
  SetKeys(format, field::terminator(2), "0D 0A");
  SetKeys(format, field::terminator(5), "C1 61");
  SetKeys(format, field::additionalField(2), "41 42 43 44");
  Set(format, field::includeTerminator(1), 0);
  format.bytes[field::fieldCount.offset] = 0xF3;  // the reserved high bits are not shown
  WriteEditFormat(image, 3, format);

  const std::string wedge = FormatBlock(ReportText(image, kWedge), 3);
  EXPECT_NE(wedge.find("      ** Number of Fields : 3\r\n"
                       "      ** Divide Field : By Terminating String\r\n"
                       "      ** Field Terminating String\r\n"
                       "         Field 1 : [,]\r\n"
                       "         Field 2 : [Enter][LF]\r\n"
                       "         Field 3 : \r\n"
                       "         Field 4 : \r\n"
                       "         Field 5 : [Shift][a]\r\n"
                       "      ** Additional fields\r\n"
                       "         Additional 1 : \r\n"
                       "         Additional 2 : [A][B][C][D]\r\n"),
            std::string::npos)
      << wedge;
  const std::string rs232 = FormatBlock(ReportText(image, kRs232), 3);
  EXPECT_NE(rs232.find("         Field 2 : [CR][LF]\r\n"), std::string::npos) << rs232;
}

TEST(DataEditingReport, EachBlockShowsItsOwnSequence) {
  SettingsImage image = FactoryImage();
  const char* const sequences[] = {"70", "07", "C1"};
  for (int n = 1; n <= kEditFormatCount; ++n) {
    EditFormat format = ReadEditFormat(image, n);
    format.bytes[field::kSequenceOffset] = Hex(sequences[n - 1])[0];
    WriteEditFormat(image, n, format);
  }
  const std::string report = ReportText(image, kWedge);
  const char* const want[] = {"[A1]", "[A1]", "[F1]"};
  for (int n = 1; n <= kEditFormatCount; ++n) {
    const std::string block = FormatBlock(report, n);
    EXPECT_EQ(block.substr(block.size() - 37),
              "\n    * Transmission Sequence : " + std::string(want[n - 1]) + "\r\n")
        << n;
  }
}

}  // namespace
