// Field access: every write stays under its mask, and the special encodings.
#include <gtest/gtest.h>

#include <vector>

#include "settings/settings_image.h"

namespace {

// Every bit-field descriptor of the image, with the byte and mask the byte map gives.
struct Expected {
  ImageField field;
  int offset;
  uint8_t mask;
};
const std::vector<Expected> kImageFields = {
    {field::interfaceType, 0, 0xFF},       {field::interCharDelay, 2, 0xFF},
    {field::scanTimeout, 8, 0xFF},         {field::digitsTransmission, 1, 0x01},
    {field::capsLockType, 1, 0x06},        {field::digitsLayout, 1, 0x18},
    {field::alphabetsTransmission, 1, 0x20}, {field::capsLockState, 1, 0xC0},
    {field::baudRate, 3, 0x07},            {field::parity, 3, 0x18},
    {field::dataBits, 3, 0x20},            {field::flowControl, 3, 0xC0},
    {field::buzzerFrequency, 4, 0x03},     {field::buzzerOff, 4, 0x04},
    {field::negativeBarcode, 4, 0x08},     {field::scanningMode, 4, 0xF0},
    {field::rereadDelay, 5, 0x07},         {field::alternateComposing, 5, 0x08},
    {field::autoSense, 5, 0x40},           {field::marginTime, 6, 0x07},
    {field::moduleTime, 6, 0x38},          {field::normalState, 6, 0x40},
    {field::barState, 6, 0x80},            {field::readRedundancy, 7, 0x03},
    {field::alphabetsLayout, 7, 0x0C},     {field::editInclusive, 7, 0x10},
    {field::editFormatOn(1), 7, 0x20},     {field::editFormatOn(2), 7, 0x40},
    {field::editFormatOn(3), 7, 0x80},     {field::code39FullAscii, 14, 0x01},
    {field::code39TransmitStartStop, 14, 0x02}, {field::code39VerifyChecksum, 14, 0x04},
    {field::code39TransmitChecksum, 14, 0x08}, {field::italianPharmaTransmitChecksum, 14, 0x10},
    {field::frenchPharmaTransmitChecksum, 14, 0x20}, {field::industrial25StartStop, 14, 0xC0},
    {field::interleave25StartStop, 15, 0x03}, {field::matrix25StartStop, 15, 0x0C},
    {field::industrial25VerifyChecksum, 15, 0x10}, {field::industrial25TransmitChecksum, 15, 0x20},
    {field::interleave25VerifyChecksum, 15, 0x40}, {field::interleave25TransmitChecksum, 15, 0x80},
    {field::matrix25VerifyChecksum, 16, 0x01}, {field::matrix25TransmitChecksum, 16, 0x02},
    {field::codabarStartStopChar, 16, 0x0C}, {field::codabarTransmitStartStop, 16, 0x10},
    {field::codabarClsiConversion, 16, 0x20}, {field::plesseyTransmitChecksum, 16, 0x40},
    {field::plesseyConvertToUk, 16, 0x80}, {field::msiChecksumVerification, 17, 0x03},
    {field::msiChecksumTransmission, 17, 0x0C}, {field::upceConvertToUpca, 17, 0x10},
    {field::upcaConvertToEan13, 17, 0x20}, {field::ean8ConvertToEan13, 17, 0x40},
    {field::ean13IsbnConversion, 17, 0x80}, {field::ean13IssnConversion, 18, 0x01},
    {field::upceTransmitChecksum, 18, 0x02}, {field::upcaTransmitChecksum, 18, 0x04},
    {field::ean8TransmitChecksum, 18, 0x08}, {field::ean13TransmitChecksum, 18, 0x10},
    {field::upceTransmitSystemNumber, 18, 0x20}, {field::upcaTransmitSystemNumber, 18, 0x40},
    {field::upceSystemNumber, 18, 0x80},   {field::transmissionMode, 67, 0x03},
    {field::laptopSupport, 67, 0x08},      {field::goodReadLed, 67, 0x20},
    {field::fromCode(1), 68, 0xFF},        {field::toCode(1), 69, 0xFF},
    {field::fromCode(3), 72, 0xFF},        {field::toCode(3), 73, 0xFF},
    {field::checksum, 254, 0xFF},          {field::checksumComplement, 255, 0xFF},
    {field::symbologyOn(CodeType::Code39), 9, 0x01},
    {field::symbologyOn(CodeType::Code93), 9, 0x80},
    {field::symbologyOn(CodeType::Code128), 10, 0x01},
    {field::symbologyOn(CodeType::Ean8Addon5), 10, 0x80},
    {field::symbologyOn(CodeType::Ean13NoAddon), 11, 0x01},
    {field::symbologyOn(CodeType::UpcaNoAddon), 11, 0x08},
    {field::symbologyOn(CodeType::Msi), 11, 0x40},
    {field::symbologyOn(CodeType::Plessey), 11, 0x80},
    {field::codeLengthOn(CodeLengthSymbology::Code39), 12, 0x01},
    {field::codeLengthOn(CodeLengthSymbology::Code93), 12, 0x80},
    {field::codeLengthOn(CodeLengthSymbology::Code128), 13, 0x01},
    {field::codeLengthOn(CodeLengthSymbology::Upce), 13, 0x04},
    {field::codeLengthOn(CodeLengthSymbology::Ean13), 13, 0x10},
    {field::codeLengthOn(CodeLengthSymbology::Plessey), 13, 0x80},
};

TEST(SettingsImageFields, SitWhereTheByteMapPutsThem) {
  for (const Expected& e : kImageFields) {
    EXPECT_EQ(e.field.offset, e.offset);
    EXPECT_EQ(e.field.mask, e.mask) << "byte " << e.offset;
  }
}

TEST(SettingsImageFields, WritesTouchOnlyTheirMask) {
  for (const Expected& e : kImageFields) {
    for (uint8_t background : {uint8_t{0x00}, uint8_t{0xFF}, uint8_t{0xA5}}) {
      SettingsImage image;
      image.bytes.fill(background);
      Set(image, e.field, 0xFFu);  // all ones, cut to the field's width
      for (int i = 0; i < kImageSize; ++i) {
        const uint8_t want = i == e.offset ? static_cast<uint8_t>(background | e.mask) : background;
        ASSERT_EQ(image.bytes[i], want) << "field at byte " << e.offset << " mask " << +e.mask;
      }
      Set(image, e.field, 0);
      EXPECT_EQ(image.bytes[e.offset], static_cast<uint8_t>(background & ~e.mask));
    }
  }
}

TEST(SettingsImageFields, ReadShiftsToTheLowestMaskBit) {
  SettingsImage image;
  image.bytes[4] = 0x5B;  // scan mode 5, negative on, buzzer on, 1 kHz
  EXPECT_EQ(Get(image, field::scanningMode), 5);
  EXPECT_EQ(Get(image, field::negativeBarcode), 1);
  EXPECT_EQ(Get(image, field::buzzerOff), 0);
  EXPECT_EQ(Get(image, field::buzzerFrequency), 3);
  Set(image, field::scanningMode, 7);
  EXPECT_EQ(image.bytes[4], 0x7B);
}

TEST(SettingsImageFields, KeyFieldsCoverTheirBytes) {
  EXPECT_EQ(field::prefix.offset, 27);
  EXPECT_EQ(field::prefix.capacity, 4);
  EXPECT_EQ(field::suffix.offset, 31);
  EXPECT_EQ(field::suffix.capacity, 4);
  EXPECT_EQ(field::fieldSeparator.offset, 65);
  EXPECT_EQ(field::codeId(0).offset, 35);   // Code 39
  EXPECT_EQ(field::codeId(12).offset, 59);  // UPCA
  EXPECT_EQ(field::codeId(14).offset, 63);  // Plessey
  EXPECT_EQ(field::codeId(14).capacity, 2);
  EXPECT_EQ(field::substitutionPair(2).offset, 70);
  SettingsImage image;
  Bytes(image, field::suffix)[3] = 0x41;
  EXPECT_EQ(image.bytes[34], 0x41);
}

TEST(EditFormatFields, SitWhereTheRecordPutsThem) {
  EXPECT_EQ(EditFormatOffset(1), 74);
  EXPECT_EQ(EditFormatOffset(2), 126);
  EXPECT_EQ(EditFormatOffset(3), 178);
  EXPECT_EQ(field::fieldLength(1).offset, 10);
  EXPECT_EQ(field::fieldLength(5).offset, 22);
  EXPECT_EQ(field::terminator(1).offset, 11);
  EXPECT_EQ(field::terminator(5).offset, 23);
  EXPECT_EQ(field::additionalField(1).offset, 25);
  EXPECT_EQ(field::additionalField(5).offset, 41);
  EXPECT_EQ(field::codeTypes(CodeType::Plessey).offset, 2);
  EXPECT_EQ(field::codeTypes(CodeType::Plessey).mask, 0x80);

  EditFormat format;
  format.bytes[51] = 0xF0;  // reserved bits survive a field count write
  Set(format, field::fieldCount, 5);
  EXPECT_EQ(format.bytes[51], 0xF5);
  format.bytes[13] = 0x05;
  Set(format, field::includeTerminator(2), 1);
  EXPECT_EQ(format.bytes[13], 0x85);
  EXPECT_EQ(Get(format, field::fieldLength(2)), 5);
}

TEST(EditFormatFields, RecordsMoveInAndOutOfTheImage) {
  SettingsImage image;
  EditFormat format;
  for (int i = 0; i < kEditFormatSize; ++i) format.bytes[i] = static_cast<uint8_t>(i + 1);
  WriteEditFormat(image, 2, format);
  EXPECT_EQ(image.bytes[125], 0);
  EXPECT_EQ(image.bytes[126], 1);
  EXPECT_EQ(image.bytes[177], 52);
  EXPECT_EQ(image.bytes[178], 0);
  EXPECT_EQ(ReadEditFormat(image, 2).bytes, format.bytes);
}

TEST(LengthQualification, TheSameByteMeansDifferentThingsInLayoutsAAndB) {
  SettingsImage image;
  image.bytes[19] = 0xFE;  // Industrial 25, layout A
  image.bytes[20] = 0x04;
  image.bytes[21] = 0xFE;  // Interleave 25, layout B
  image.bytes[22] = 0x04;
  const LengthQualification a = GetLengthQualification(image, field::industrial25Length);
  EXPECT_FALSE(a.rangeMode);
  EXPECT_EQ(a.first, 127);
  EXPECT_EQ(a.second, 4);
  const LengthQualification b = GetLengthQualification(image, field::interleave25Length);
  EXPECT_TRUE(b.rangeMode);
  EXPECT_EQ(b.first, 126);
  EXPECT_EQ(b.second, 4);
}

TEST(LengthQualification, WritesEncodeByLayout) {
  SettingsImage image;
  SetLengthQualification(image, field::matrix25Length, {true, 127, 4});
  EXPECT_EQ(image.bytes[23], 0xFF);
  EXPECT_EQ(image.bytes[24], 0x04);
  SetLengthQualification(image, field::interleave25Length, {true, 126, 4});
  EXPECT_EQ(image.bytes[21], 0xFE);
  SetLengthQualification(image, field::msiLength, {false, 10, 200});
  EXPECT_EQ(image.bytes[25], 0x14);
  EXPECT_EQ(image.bytes[26], 200);
  SetLengthQualification(image, field::interleave25Length, {false, 3, 9});
  EXPECT_EQ(image.bytes[21], 0x03);
  EXPECT_EQ(image.bytes[22], 9);
}

TEST(TwoBitListEncoding, SkipsTheValueOne) {
  EXPECT_EQ(TwoBitValueFromListIndex(0), 0);
  EXPECT_EQ(TwoBitValueFromListIndex(1), 2);
  EXPECT_EQ(TwoBitValueFromListIndex(2), 3);
  EXPECT_EQ(ListIndexFromTwoBitValue(0), 0);
  EXPECT_EQ(ListIndexFromTwoBitValue(1), 1);  // never written; reads as the second entry
  EXPECT_EQ(ListIndexFromTwoBitValue(2), 1);
  EXPECT_EQ(ListIndexFromTwoBitValue(3), 2);

  SettingsImage image;
  Set(image, field::capsLockType, TwoBitValueFromListIndex(1));  // Capital Lock
  EXPECT_EQ(image.bytes[1], 0x04);
  Set(image, field::capsLockType, TwoBitValueFromListIndex(2));  // Shift Lock
  EXPECT_EQ(image.bytes[1], 0x06);
  image.bytes[1] = 0;
  Set(image, field::digitsLayout, TwoBitValueFromListIndex(2));  // Upper Row
  EXPECT_EQ(image.bytes[1], 0x18);
}

TEST(Checksum, PairAddsUpToFF) {
  SettingsImage image;
  // Bytes summing to 0x1234: 18 bytes of 0xFF (0x11EE) plus 0x46.
  for (int i = 0; i < 18; ++i) image.bytes[i] = 0xFF;
  image.bytes[100] = 0x46;
  image.bytes[254] = 0x77;  // old pair is not part of the sum
  image.bytes[255] = 0x88;
  StoreChecksum(image);
  EXPECT_EQ(image.bytes[254], 0x34);
  EXPECT_EQ(image.bytes[255], 0xCB);
}

}  // namespace
