// Factory values of bytes 0 to 229, written as the scanner's documentation lists them.
#include "settings/factory_defaults.h"

#include <algorithm>
#include <initializer_list>

EditFormat editFormatCopies[kEditFormatCount];

namespace {

constexpr std::initializer_list<uint8_t> kLeadingDefaults = {
    0x01, 0x00, 0x00, 0x22, 0x01, 0x02, 0x92, 0x00, 0x0A,  // bytes 0-8
    0xD9, 0x25, 0x09, 0x00, 0x00,                          // 9-13
    0x38, 0xA9, 0x42, 0x20, 0x5E,                          // 14-18
    0xFF, 0x04, 0xFE, 0x04, 0xFF, 0x04, 0xFF, 0x04,        // 19-26
    0x00, 0x00, 0x00, 0x00,                                // 27-30 prefix
    0x0D, 0x00, 0x00, 0x00,                                // 31-34 suffix
};
constexpr int kZeroRunEnd = 74;  // code ids, field separator, port options, substitutions

EditFormat DefaultEditFormat() {
  EditFormat format;
  format.bytes[0] = format.bytes[1] = format.bytes[2] = 0xFF;
  Set(format, field::maxLength, 0x7F);
  for (int n = 1; n <= field::kFieldRecordCount; ++n) Set(format, field::includeTerminator(n), 1);
  format.bytes[field::kSequenceOffset] = 0x10;
  return format;
}

}  // namespace

void ApplyFactoryDefaults(SettingsImage& image) {
  auto next = std::copy(kLeadingDefaults.begin(), kLeadingDefaults.end(), image.bytes.begin());
  std::fill(next, image.bytes.begin() + kZeroRunEnd, 0);
  const EditFormat format = DefaultEditFormat();
  for (int n = 1; n <= kEditFormatCount; ++n) WriteEditFormat(image, n, format);
}

void RefreshEditFormatCopies() {
  for (int n = 1; n <= kEditFormatCount; ++n)
    editFormatCopies[n - 1] = ReadEditFormat(settingsImage, n);
}

void ResetToFactoryDefaults() {
  ApplyFactoryDefaults(settingsImage);
  RefreshEditFormatCopies();
}

SettingsImage FactoryImage() {
  SettingsImage image;
  ApplyFactoryDefaults(image);
  return image;
}
