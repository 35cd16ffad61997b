// Field access that does not fit a single mask: length qualifications, the
// two-bit list encodings, editing-format records and the checksum pair.
#include "settings/settings_image.h"

#include <algorithm>

SettingsImage settingsImage;

namespace {
struct LayoutMasks {
  uint8_t modeMask;
  uint8_t lengthMask;
};
constexpr LayoutMasks MasksOf(LengthLayout layout) {
  return layout == LengthLayout::A ? LayoutMasks{0x01, 0xFE} : LayoutMasks{0x80, 0x7F};
}
}  // namespace

LengthQualification GetLengthQualification(const SettingsImage& image,
                                            LengthQualificationField f) {
  const LayoutMasks m = MasksOf(f.layout);
  const ImageField mode{f.offset, m.modeMask};
  const ImageField first{f.offset, m.lengthMask};
  const ImageField second{static_cast<uint8_t>(f.offset + 1), 0xFF};
  return {Get(image, mode) != 0, Get(image, first), Get(image, second)};
}

void SetLengthQualification(SettingsImage& image, LengthQualificationField f,
                            const LengthQualification& value) {
  const LayoutMasks m = MasksOf(f.layout);
  Set(image, ImageField{f.offset, m.modeMask}, value.rangeMode ? 1 : 0);
  Set(image, ImageField{f.offset, m.lengthMask}, value.first & 0x7F);
  Set(image, ImageField{static_cast<uint8_t>(f.offset + 1), 0xFF}, value.second);
}

uint8_t TwoBitValueFromListIndex(int index) {
  return static_cast<uint8_t>(index == 0 ? 0 : (index + 1) & 0x03);
}

int ListIndexFromTwoBitValue(uint8_t value) {
  value &= 0x03;
  return (value & 0x02) ? value - 1 : value;
}

EditFormat ReadEditFormat(const SettingsImage& image, int n) {
  EditFormat format;
  const auto begin = image.bytes.begin() + EditFormatOffset(n);
  std::copy(begin, begin + kEditFormatSize, format.bytes.begin());
  return format;
}

void WriteEditFormat(SettingsImage& image, int n, const EditFormat& format) {
  std::copy(format.bytes.begin(), format.bytes.end(), image.bytes.begin() + EditFormatOffset(n));
}

uint8_t ComputeChecksum(const SettingsImage& image) {
  unsigned sum = 0;
  for (int i = 0; i < field::checksum.offset; ++i) sum += image.bytes[i];
  return static_cast<uint8_t>(sum);
}

void StoreChecksum(SettingsImage& image) {
  const uint8_t sum = ComputeChecksum(image);
  Set(image, field::checksum, sum);
  Set(image, field::checksumComplement, static_cast<uint8_t>(~sum));
}
