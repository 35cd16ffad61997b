// The factory image byte for byte, and what the reset leaves alone.
#include <gtest/gtest.h>

#include "settings/factory_defaults.h"
#include "tests/test_support.h"

namespace {

std::vector<uint8_t> ExpectedEditFormat() {
  std::vector<uint8_t> f = Hex("FF FF FF 00 7F 00 00 00 00 00");
  for (int i = 0; i < 5; ++i) f.insert(f.end(), {0x80, 0x00, 0x00});
  f.insert(f.end(), 20, 0x00);
  f.push_back(0x10);
  f.insert(f.end(), 5, 0x00);
  f.push_back(0x00);
  return f;
}

std::vector<uint8_t> ExpectedFactoryImage() {
  std::vector<uint8_t> image = Hex(
      "01 00 00 22 01 02 92 00 0A D9 25 09 00 00 38 A9 42 20 5E FF 04 FE 04 FF 04 FF 04"
      " 00 00 00 00 0D 00 00 00");
  image.insert(image.end(), 33, 0x00);  // bytes 35 to 67
  image.insert(image.end(), 6, 0x00);   // substitutions
  for (int n = 0; n < 3; ++n) {
    const std::vector<uint8_t> f = ExpectedEditFormat();
    image.insert(image.end(), f.begin(), f.end());
  }
  image.insert(image.end(), 26, 0x00);
  return image;
}

TEST(FactoryDefaults, FreshImageIsTheListedBytes) {
  const std::vector<uint8_t> want = ExpectedFactoryImage();
  ASSERT_EQ(want.size(), 256u);
  const SettingsImage image = FactoryImage();
  EXPECT_EQ(std::vector<uint8_t>(image.bytes.begin(), image.bytes.end()), want);
}

TEST(FactoryDefaults, ResetKeepsReservedAndChecksumBytes) {
  settingsImage.bytes.fill(0x5A);
  ResetToFactoryDefaults();
  const std::vector<uint8_t> want = ExpectedFactoryImage();
  for (int i = 0; i < 230; ++i) ASSERT_EQ(settingsImage.bytes[i], want[i]) << "byte " << i;
  for (int i = 230; i < 256; ++i) ASSERT_EQ(settingsImage.bytes[i], 0x5A) << "byte " << i;
}

TEST(FactoryDefaults, ResetRefreshesTheWorkingCopies) {
  for (EditFormat& copy : editFormatCopies) copy.bytes.fill(0xEE);
  ResetToFactoryDefaults();
  const std::vector<uint8_t> want = ExpectedEditFormat();
  for (const EditFormat& copy : editFormatCopies)
    EXPECT_EQ(std::vector<uint8_t>(copy.bytes.begin(), copy.bytes.end()), want);
}

TEST(FactoryDefaults, MeanWhatTheyAreSaidToMean) {
  const SettingsImage image = FactoryImage();
  EXPECT_EQ(Get(image, field::baudRate), 2);  // 9600
  EXPECT_EQ(Get(image, field::dataBits), 1);  // 8 bits
  EXPECT_EQ(Get(image, field::buzzerFrequency), 1);  // 4 kHz
  EXPECT_EQ(Get(image, field::rereadDelay), 2);      // 0.4 sec
  EXPECT_EQ(Get(image, field::moduleTime), 2);       // 1 ms
  EXPECT_EQ(Get(image, field::marginTime), 2);       // 20 ms
  EXPECT_EQ(Get(image, field::barState), 1);
  EXPECT_EQ(Get(image, field::interleave25StartStop), 1);
  EXPECT_EQ(Get(image, field::matrix25StartStop), 2);
  for (CodeType t : {CodeType::Code39, CodeType::Industrial25, CodeType::Interleave25,
                     CodeType::Codabar, CodeType::Code93, CodeType::Code128,
                     CodeType::UpceNoAddon, CodeType::Ean8NoAddon, CodeType::Ean13NoAddon,
                     CodeType::UpcaNoAddon})
    EXPECT_EQ(Get(image, field::symbologyOn(t)), 1) << static_cast<int>(t);
  EXPECT_EQ(Get(image, field::symbologyOn(CodeType::Msi)), 0);
  const LengthQualification interleave =
      GetLengthQualification(image, field::interleave25Length);
  EXPECT_TRUE(interleave.rangeMode);
  EXPECT_EQ(interleave.first, 126);
}

}  // namespace
