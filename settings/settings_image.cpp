// Field access that does not fit a single mask: length qualifications, list
// encodings, the interface byte, editing-format records, transmission
// sequences and the checksum pair.
#include "settings/settings_image.h"

#include <algorithm>

SettingsImage settingsImage;

LengthParts PartsOf(LengthQualificationField f) {
  // Layout A keeps the mode in the low bit, layout B in the high bit.
  const bool a = f.layout == LengthLayout::A;
  return {{f.offset, static_cast<uint8_t>(a ? 0x01 : 0x80)},
          {f.offset, static_cast<uint8_t>(a ? 0xFE : 0x7F)},
          {static_cast<uint8_t>(f.offset + 1), 0xFF}};
}

LengthQualification GetLengthQualification(const SettingsImage& image, LengthQualificationField f) {
  const LengthParts p = PartsOf(f);
  return {Get(image, p.mode) != 0, Get(image, p.first), Get(image, p.second)};
}

void SetLengthQualification(SettingsImage& image, LengthQualificationField f,
                            const LengthQualification& value) {
  const LengthParts p = PartsOf(f);
  Set(image, p.mode, value.rangeMode ? 1 : 0);
  Set(image, p.first, value.first & 0x7F);
  Set(image, p.second, value.second);
}

namespace {
constexpr uint8_t kSkipOneStored[] = {0, 2, 3};
constexpr uint8_t kSkipOneEntries[] = {0, 1, 1, 2};
constexpr uint8_t kRs232Value = 0;
constexpr uint8_t kWandValue = 250;
}  // namespace

const ListEncoding kSkipOneEncoding{kSkipOneStored, kSkipOneEntries};

InterfaceKind InterfaceOf(uint8_t interfaceType) {
  if (interfaceType == kRs232Value) return InterfaceKind::Rs232;
  if (interfaceType == kWandValue) return InterfaceKind::WandEmulation;
  return InterfaceKind::KeyboardWedge;
}

int KeyboardTypeOf(uint8_t interfaceType) {
  return interfaceType >= 1 && interfaceType <= kKeyboardTypeCount ? interfaceType - 1 : -1;
}

uint8_t InterfaceTypeValue(InterfaceKind kind, int keyboardType) {
  switch (kind) {
    case InterfaceKind::Rs232:
      return kRs232Value;
    case InterfaceKind::WandEmulation:
      return kWandValue;
    default:
      return static_cast<uint8_t>(keyboardType + 1);
  }
}

std::vector<uint8_t> SequenceItems(std::span<const uint8_t> sequence) {
  std::vector<uint8_t> items;
  for (const uint8_t byte : sequence) {
    if (byte == 0) break;
    for (const uint8_t item : {uint8_t(byte >> 4), uint8_t(byte & 0x0F)})
      if (item != 0 && item <= kSequenceItemLimit) items.push_back(item);
  }
  return items;
}

void StoreSequenceItems(std::span<uint8_t> sequence, std::span<const uint8_t> items) {
  std::fill(sequence.begin(), sequence.end(), 0);
  for (size_t k = 0; k < items.size() && k / 2 < sequence.size(); ++k)
    sequence[k / 2] |= static_cast<uint8_t>(k % 2 ? items[k] & 0x0F : items[k] << 4);
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
