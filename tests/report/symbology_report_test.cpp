// The readable code types section: block headers, option lines, start/stop
// texts, length qualifications in both layouts and the field separator.
#include <gtest/gtest.h>

#include "report/settings_report.h"
#include "settings/factory_defaults.h"
#include "tests/report/report_test_support.h"

namespace {

std::string Block(const SettingsImage& image, const char* name, InterfaceKind mode = kWedge) {
  return SymbologyBlock(ReportText(image, mode), name);
}

void SetFirstLengthByte(SettingsImage& image, LengthQualificationField f, uint8_t value) {
  Set(image, ImageField{f.offset, 0xFF}, value);
}

TEST(SymbologyReport, LayoutsReadTheSameByteDifferently) {
  SettingsImage image = FactoryImage();
  SetFirstLengthByte(image, field::industrial25Length, 0xFE);
  SetFirstLengthByte(image, field::interleave25Length, 0xFE);
  EXPECT_EQ(Block(image, "Industrial 25"),
            "\n    Enable Industrial 25\r\n"
            "    * Start/Stop Selection : Industrial 25\r\n"
            "    * Verify Checksum : Disable\r\n"
            "    * Transmit Checksum : Enable\r\n"
            "    * Length Qualification : Fixed Length 1 : 127\r\n"
            "                             Fixed Length 2 :   4\r\n");
  EXPECT_EQ(Block(image, "Interleave 25"),
            "\n    Enable Interleave 25\r\n"
            "    * Start/Stop Selection : Interleave 25\r\n"
            "    * Verify Checksum : Disable\r\n"
            "    * Transmit Checksum : Enable\r\n"
            "    * Length Qualification : Max Length : 126\r\n"
            "                             Min Length :   4\r\n");
}

TEST(SymbologyReport, LengthQualificationForms) {
  SettingsImage image = FactoryImage();
  SetLengthQualification(image, field::matrix25Length, {false, 0, 255});
  SetLengthQualification(image, field::msiLength, {true, 8, 30});
  SetFirstLengthByte(image, field::interleave25Length, 0x05);
  Set(image, ImageField{static_cast<uint8_t>(field::interleave25Length.offset + 1), 0xFF}, 12);
  const std::string report = ReportText(image, kWedge);
  EXPECT_NE(SymbologyBlock(report, "Matrix 25")
                .find("    * Length Qualification : Fixed Length 1 :   0\r\n"
                      "                             Fixed Length 2 : 255\r\n"),
            std::string::npos);
  EXPECT_NE(SymbologyBlock(report, "MSI")
                .find("    * Length Qualification : Max Length :   8\r\n"
                      "                             Min Length :  30\r\n"),
            std::string::npos);
  EXPECT_NE(SymbologyBlock(report, "Interleave 25")
                .find("    * Length Qualification : Fixed Length 1 :   5\r\n"
                      "                             Fixed Length 2 :  12\r\n"),
            std::string::npos);
}

TEST(SymbologyReport, EveryOptionOn) {
  SettingsImage image = FactoryImage();
  for (int t = 0; t < kCodeTypeCount; ++t) Set(image, field::symbologyOn(CodeType(t)), 1);
  for (const ImageField f :
       {field::code39FullAscii, field::code39TransmitStartStop, field::code39VerifyChecksum,
        field::code39TransmitChecksum, field::industrial25VerifyChecksum,
        field::interleave25VerifyChecksum, field::matrix25VerifyChecksum,
        field::codabarTransmitStartStop, field::codabarClsiConversion, field::plesseyConvertToUk,
        field::upceConvertToUpca, field::ean8ConvertToEan13, field::ean13IsbnConversion,
        field::ean13IssnConversion, field::upceTransmitSystemNumber, field::upceSystemNumber})
    Set(image, f, 1);
  Set(image, field::codabarStartStopChar, 3);
  Set(image, field::msiChecksumVerification, 2);
  Set(image, field::msiChecksumTransmission, 2);
  const std::string report = ReportText(image, kWedge);
  EXPECT_EQ(SymbologyBlock(report, "Code 39"),
            "\n    Enable Code 39\r\n"
            "    * Full ASCII : Enable\r\n"
            "    * Transmit Start/Stop : Enable\r\n"
            "    * Verify Checksum : Enable\r\n"
            "    * Transmit Checksum : Enable\r\n");
  EXPECT_EQ(SymbologyBlock(report, "Italian Pharmacode"),
            "\n    Enable Italian Pharmacode\r\n    * Transmit Checksum : Enable\r\n");
  EXPECT_EQ(SymbologyBlock(report, "Codabar"),
            "\n    Enable Codabar\r\n"
            "    * Start/Stop Character : ABCD / TN*E\r\n"
            "    * Transmit Start/Stop : Enable\r\n"
            "    * CLSI Conversion : Enable\r\n");
  EXPECT_EQ(SymbologyBlock(report, "Code 93"), "\n    Enable Code 93\r\n");
  EXPECT_EQ(SymbologyBlock(report, "Code 128"), "\n    Enable Code 128\r\n");
  EXPECT_EQ(SymbologyBlock(report, "EAN 128"),
            "\n    Enable EAN 128\r\n    * Field Separator :  \r\n");
  EXPECT_EQ(SymbologyBlock(report, "UPCE :"),
            "\n    UPCE :\r\n"
            "    * UPCE no Addon : Enable\r\n"
            "    * UPCE Addon 2 : Enable\r\n"
            "    * UPCE Addon 5 : Enable\r\n"
            "    * Convert to UPCA : Enable\r\n"
            "    * Transmit Checksum : Enable\r\n"
            "    * Transmit System Number : Enable\r\n"
            "    * System Number : 0 and 1\r\n");
  EXPECT_EQ(SymbologyBlock(report, "EAN 8 :"),
            "\n    EAN 8 :\r\n"
            "    * EAN 8 no Addon : Enable\r\n"
            "    * EAN 8 Addon 2 : Enable\r\n"
            "    * EAN 8 Addon 5 : Enable\r\n"
            "    * Convert to EAN13 : Enable\r\n"
            "    * Transmit Checksum : Enable\r\n");
  EXPECT_EQ(SymbologyBlock(report, "EAN 13 :"),
            "\n    EAN 13 :\r\n"
            "    * EAN 13 no Addon : Enable\r\n"
            "    * EAN 13 Addon 2 : Enable\r\n"
            "    * EAN 13 Addon 5 : Enable\r\n"
            "    * ISBN Conversion : Enable\r\n"
            "    * ISSN Conversion : Enable\r\n"
            "    * Transmit Checksum : Enable\r\n");
  EXPECT_EQ(SymbologyBlock(report, "UPCA :"),
            "\n    UPCA :\r\n"
            "    * UPCA no Addon : Enable\r\n"
            "    * UPCA Addon 2 : Enable\r\n"
            "    * UPCA Addon 5 : Enable\r\n"
            "    * Convert to EAN13: Enable\r\n"
            "    * Transmit Checksum : Enable\r\n"
            "    * Transmit System Number : Enable\r\n");
  EXPECT_EQ(SymbologyBlock(report, "MSI"),
            "\n    Enable MSI\r\n"
            "    * Checksum Verification : Modulo 11 && 10\r\n"
            "    * Checksum Transmission : Last 2 digits not transmitted\r\n"
            "    * Length Qualification : Max Length : 127\r\n"
            "                             Min Length :   4\r\n");
  EXPECT_EQ(SymbologyBlock(report, "Plessey"),
            "\n    Enable Plessey\r\n"
            "    * Convert to UK Plessey : Enable\r\n"
            "    * Transmit Checksum : Enable\r\n");
}

TEST(SymbologyReport, StartStopSelections) {
  SettingsImage image = FactoryImage();
  const char* const texts[] = {"Industrial 25", "Interleave 25", "Matrix 25", "3"};
  for (unsigned v = 0; v < 4; ++v) {
    Set(image, field::industrial25StartStop, v);
    Set(image, field::interleave25StartStop, v);
    Set(image, field::matrix25StartStop, v);
    const std::string line = std::string("    * Start/Stop Selection : ") + texts[v] + "\r\n";
    const std::string report = ReportText(image, kWedge);
    for (const char* name : {"Industrial 25", "Interleave 25", "Matrix 25"})
      EXPECT_NE(SymbologyBlock(report, name).find(line), std::string::npos) << name << " " << v;
  }
}

TEST(SymbologyReport, MsiValuesOutsideTheListShowTheirNumber) {
  SettingsImage image = FactoryImage();
  Set(image, field::msiChecksumVerification, 3);
  Set(image, field::msiChecksumTransmission, 3);
  EXPECT_NE(Block(image, "MSI")
                .find("    * Checksum Verification : 3\r\n"
                      "    * Checksum Transmission : 3\r\n"),
            std::string::npos);
  Set(image, field::msiChecksumVerification, 1);
  Set(image, field::msiChecksumTransmission, 1);
  EXPECT_NE(Block(image, "MSI")
                .find("    * Checksum Verification : Double Modulo 10\r\n"
                      "    * Checksum Transmission : Transmitted\r\n"),
            std::string::npos);
}

TEST(SymbologyReport, FieldSeparatorIsAKeySequence) {
  SettingsImage image = FactoryImage();
  auto separator = Bytes(image, field::fieldSeparator);
  separator[0] = 0xC0;
  separator[1] = 0x1C;
  EXPECT_EQ(Block(image, "EAN 128"), "\n    Disable EAN 128\r\n    * Field Separator : [1C] \r\n");
  separator[0] = 0x1D;
  separator[1] = 0x00;
  EXPECT_EQ(Block(image, "EAN 128", kRs232),
            "\n    Disable EAN 128\r\n    * Field Separator : [GS] \r\n");
  EXPECT_EQ(Block(image, "EAN 128", kWedge),
            "\n    Disable EAN 128\r\n    * Field Separator : [Send] \r\n");
}

TEST(SymbologyReport, HeadersFollowTheReadingSwitches) {
  SettingsImage image = FactoryImage();
  Set(image, field::symbologyOn(CodeType::Code39), 0);
  Set(image, field::symbologyOn(CodeType::Plessey), 1);
  Set(image, field::symbologyOn(CodeType::UpcaNoAddon), 0);
  const std::string report = ReportText(image, kWedge);
  EXPECT_EQ(SymbologyBlock(report, "Code 39").substr(0, 22), "\n    Disable Code 39\r\n");
  EXPECT_EQ(SymbologyBlock(report, "Plessey").substr(0, 21), "\n    Enable Plessey\r\n");
  EXPECT_NE(SymbologyBlock(report, "UPCA :").find("    * UPCA no Addon : Disable\r\n"),
            std::string::npos);
}

}  // namespace
