// The 256-byte scanner configuration and the one place that knows its byte map.
//
// Offers: SettingsImage and EditFormat records, field descriptors (offset and
// mask) for every field, Get/Set by read-modify-write, the code-type bit set,
// length qualifications in their two layouts, key-sequence fields, the
// capsLockType/digitsLayout list encoding and the checksum pair.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

inline constexpr int kImageSize = 256;
inline constexpr int kEditFormatSize = 52;
inline constexpr int kEditFormatCount = 3;

struct SettingsImage {
  std::array<uint8_t, kImageSize> bytes{};
};

struct EditFormat {
  std::array<uint8_t, kEditFormatSize> bytes{};
};

// The process-wide configuration; all zero until the factory reset runs.
extern SettingsImage settingsImage;

// A bit field of a record: the byte offset and the mask on that byte. Typed by
// the record it belongs to, so an image field cannot be applied to a format.
template <class Record>
struct FieldOf {
  uint8_t offset;
  uint8_t mask;
};
using ImageField = FieldOf<SettingsImage>;
using FormatField = FieldOf<EditFormat>;

constexpr int LowestMaskBit(uint8_t mask) {
  int shift = 0;
  while (shift < 8 && !(mask & (1u << shift))) ++shift;
  return shift;
}

// The largest value the bits of `mask` hold.
constexpr unsigned LargestValue(uint8_t mask) {
  return mask >> LowestMaskBit(mask);
}

// The bits `mask` of byte `offset` of any record's bytes, read and written
// (read-modify-write); Get and Set below, and the dialogs' bindings, use them.
constexpr uint8_t GetBits(std::span<const uint8_t> bytes, uint8_t offset, uint8_t mask) {
  return static_cast<uint8_t>((bytes[offset] & mask) >> LowestMaskBit(mask));
}
constexpr void SetBits(std::span<uint8_t> bytes, uint8_t offset, uint8_t mask, unsigned value) {
  const unsigned shifted = (value << LowestMaskBit(mask)) & mask;
  bytes[offset] = static_cast<uint8_t>((bytes[offset] & ~mask) | shifted);
}

template <class Record>
constexpr uint8_t Get(const Record& record, FieldOf<Record> field) {
  return GetBits(record.bytes, field.offset, field.mask);
}

template <class Record>
constexpr void Set(Record& record, FieldOf<Record> field, unsigned value) {
  SetBits(record.bytes, field.offset, field.mask, value);
}

// A key sequence stored in a field of fixed capacity (2 or 4 bytes).
template <class Record>
struct KeyFieldOf {
  uint8_t offset;
  uint8_t capacity;
};
using ImageKeyField = KeyFieldOf<SettingsImage>;
using FormatKeyField = KeyFieldOf<EditFormat>;

template <class Record>
std::span<uint8_t> Bytes(Record& record, KeyFieldOf<Record> field) {
  return std::span<uint8_t>(record.bytes).subspan(field.offset, field.capacity);
}
template <class Record>
std::span<const uint8_t> Bytes(const Record& record, KeyFieldOf<Record> field) {
  return std::span<const uint8_t>(record.bytes).subspan(field.offset, field.capacity);
}

namespace field {

// Whole-byte numbers.
inline constexpr ImageField interfaceType{0, 0xFF};
inline constexpr ImageField interCharDelay{2, 0xFF};
inline constexpr ImageField scanTimeout{8, 0xFF};

// keyboardOptions, byte 1.
inline constexpr ImageField digitsTransmission{1, 0x01};
inline constexpr ImageField capsLockType{1, 0x06};
inline constexpr ImageField digitsLayout{1, 0x18};
inline constexpr ImageField alphabetsTransmission{1, 0x20};
inline constexpr ImageField capsLockState{1, 0xC0};

// serialFormat, byte 3.
inline constexpr ImageField baudRate{3, 0x07};
inline constexpr ImageField parity{3, 0x18};
inline constexpr ImageField dataBits{3, 0x20};
inline constexpr ImageField flowControl{3, 0xC0};

// scanOptions, byte 4.
inline constexpr ImageField buzzerFrequency{4, 0x03};
inline constexpr ImageField buzzerOff{4, 0x04};
inline constexpr ImageField negativeBarcode{4, 0x08};
inline constexpr ImageField scanningMode{4, 0xF0};

// readOptions, byte 5.
inline constexpr ImageField rereadDelay{5, 0x07};
inline constexpr ImageField alternateComposing{5, 0x08};
inline constexpr ImageField autoSense{5, 0x40};

// wandTiming, byte 6.
inline constexpr ImageField marginTime{6, 0x07};
inline constexpr ImageField moduleTime{6, 0x38};
inline constexpr ImageField normalState{6, 0x40};
inline constexpr ImageField barState{6, 0x80};

// editOptions, byte 7.
inline constexpr ImageField readRedundancy{7, 0x03};
inline constexpr ImageField alphabetsLayout{7, 0x0C};
inline constexpr ImageField editInclusive{7, 0x10};
// Format n is 1, 2 or 3.
constexpr ImageField editFormatOn(int n) {
  return {7, static_cast<uint8_t>(0x10 << n)};
}

// Symbology options, bytes 14 to 18.
inline constexpr ImageField code39FullAscii{14, 0x01};
inline constexpr ImageField code39TransmitStartStop{14, 0x02};
inline constexpr ImageField code39VerifyChecksum{14, 0x04};
inline constexpr ImageField code39TransmitChecksum{14, 0x08};
inline constexpr ImageField italianPharmaTransmitChecksum{14, 0x10};
inline constexpr ImageField frenchPharmaTransmitChecksum{14, 0x20};
inline constexpr ImageField industrial25StartStop{14, 0xC0};
inline constexpr ImageField interleave25StartStop{15, 0x03};
inline constexpr ImageField matrix25StartStop{15, 0x0C};
inline constexpr ImageField industrial25VerifyChecksum{15, 0x10};
inline constexpr ImageField industrial25TransmitChecksum{15, 0x20};
inline constexpr ImageField interleave25VerifyChecksum{15, 0x40};
inline constexpr ImageField interleave25TransmitChecksum{15, 0x80};
inline constexpr ImageField matrix25VerifyChecksum{16, 0x01};
inline constexpr ImageField matrix25TransmitChecksum{16, 0x02};
inline constexpr ImageField codabarStartStopChar{16, 0x0C};
inline constexpr ImageField codabarTransmitStartStop{16, 0x10};
inline constexpr ImageField codabarClsiConversion{16, 0x20};
inline constexpr ImageField plesseyTransmitChecksum{16, 0x40};
inline constexpr ImageField plesseyConvertToUk{16, 0x80};
inline constexpr ImageField msiChecksumVerification{17, 0x03};
inline constexpr ImageField msiChecksumTransmission{17, 0x0C};
inline constexpr ImageField upceConvertToUpca{17, 0x10};
inline constexpr ImageField upcaConvertToEan13{17, 0x20};
inline constexpr ImageField ean8ConvertToEan13{17, 0x40};
inline constexpr ImageField ean13IsbnConversion{17, 0x80};
inline constexpr ImageField ean13IssnConversion{18, 0x01};
inline constexpr ImageField upceTransmitChecksum{18, 0x02};
inline constexpr ImageField upcaTransmitChecksum{18, 0x04};
inline constexpr ImageField ean8TransmitChecksum{18, 0x08};
inline constexpr ImageField ean13TransmitChecksum{18, 0x10};
inline constexpr ImageField upceTransmitSystemNumber{18, 0x20};
inline constexpr ImageField upcaTransmitSystemNumber{18, 0x40};
inline constexpr ImageField upceSystemNumber{18, 0x80};

// portOptions, byte 67.
inline constexpr ImageField transmissionMode{67, 0x03};
inline constexpr ImageField laptopSupport{67, 0x08};
inline constexpr ImageField goodReadLed{67, 0x20};

// Substitution pair n (1 to 3).
constexpr ImageField fromCode(int n) {
  return {static_cast<uint8_t>(66 + 2 * n), 0xFF};
}
constexpr ImageField toCode(int n) {
  return {static_cast<uint8_t>(67 + 2 * n), 0xFF};
}

inline constexpr ImageField checksum{254, 0xFF};
inline constexpr ImageField checksumComplement{255, 0xFF};

// Key sequences.
inline constexpr ImageKeyField prefix{27, 4};
inline constexpr ImageKeyField suffix{31, 4};
inline constexpr ImageKeyField fieldSeparator{65, 2};
inline constexpr int kCodeIdCount = 15;
// Code identifier i (0 = Code 39 … 14 = Plessey, the order of CodeIdSymbology).
constexpr ImageKeyField codeId(int i) {
  return {static_cast<uint8_t>(35 + 2 * i), 2};
}
// A substitution pair read as one two-key sequence, as the report shows it.
constexpr ImageKeyField substitutionPair(int n) {
  return {static_cast<uint8_t>(66 + 2 * n), 2};
}

// EditFormat record fields, offsets relative to the record.
inline constexpr FormatField minLength{3, 0xFF};
inline constexpr FormatField maxLength{4, 0xFF};
inline constexpr FormatKeyField matchString{5, 4};
inline constexpr FormatField matchPosition{9, 0xFF};
inline constexpr int kFieldRecordCount = 5;
// Field record n (1 to 5).
constexpr FormatField fieldLength(int n) {
  return {static_cast<uint8_t>(7 + 3 * n), 0x7F};
}
constexpr FormatField includeTerminator(int n) {
  return {static_cast<uint8_t>(7 + 3 * n), 0x80};
}
constexpr FormatKeyField terminator(int n) {
  return {static_cast<uint8_t>(8 + 3 * n), 2};
}
inline constexpr int kAdditionalFieldCount = 5;
// Additional field n (1 to 5).
constexpr FormatKeyField additionalField(int n) {
  return {static_cast<uint8_t>(21 + 4 * n), 4};
}
inline constexpr FormatField fieldCount{51, 0x0F};

}  // namespace field

// Code types in the order of the three-byte code-type bit set.
enum class CodeType : int {
  Code39,
  ItalianPharmacode,
  FrenchPharmacode,
  Industrial25,
  Interleave25,
  Matrix25,
  Codabar,
  Code93,
  Code128,
  Ean128,
  UpceNoAddon,
  UpceAddon2,
  UpceAddon5,
  Ean8NoAddon,
  Ean8Addon2,
  Ean8Addon5,
  Ean13NoAddon,
  Ean13Addon2,
  Ean13Addon5,
  UpcaNoAddon,
  UpcaAddon2,
  UpcaAddon5,
  Msi,
  Plessey
};
inline constexpr int kCodeTypeCount = 24;

namespace field {
// Whether reading of a code type is switched on (bytes 9 to 11).
constexpr ImageField symbologyOn(CodeType t) {
  const int i = static_cast<int>(t);
  return {static_cast<uint8_t>(9 + i / 8), static_cast<uint8_t>(1u << (i % 8))};
}
// The three switches of a symbology read without add-on, with a 2-digit and
// with a 5-digit add-on, given the first (UPCE, EAN8, EAN13, UPCA).
constexpr ImageField addOnsOn(CodeType noAddon) {
  const ImageField first = symbologyOn(noAddon);
  return {first.offset, static_cast<uint8_t>(first.mask * 0x07)};
}
// Whether an editing format applies to a code type (record bytes 0 to 2).
constexpr FormatField codeTypes(CodeType t) {
  const int i = static_cast<int>(t);
  return {static_cast<uint8_t>(i / 8), static_cast<uint8_t>(1u << (i % 8))};
}
}  // namespace field

// The "Code Length" switches: byte 12 in the first byte's code-type order,
// byte 13 in its own order.
enum class CodeLengthSymbology : int {
  Code39,
  ItalianPharmacode,
  FrenchPharmacode,
  Industrial25,
  Interleave25,
  Matrix25,
  Codabar,
  Code93,
  Code128,
  Ean128,
  Upce,
  Ean8,
  Ean13,
  Upca,
  Msi,
  Plessey
};

namespace field {
constexpr ImageField codeLengthOn(CodeLengthSymbology s) {
  const int i = static_cast<int>(s);
  return {static_cast<uint8_t>(12 + i / 8), static_cast<uint8_t>(1u << (i % 8))};
}
}  // namespace field

// Length qualification: a range (maximum, minimum) or two fixed lengths.
enum class LengthLayout { A, B };
struct LengthQualificationField {
  uint8_t offset;
  LengthLayout layout;
};
struct LengthQualification {
  bool rangeMode;  // true: "Max / Min Length"; false: "Fixed Length"
  uint8_t first;   // maximum or fixed length 1, 0 to 127
  uint8_t second;  // minimum or fixed length 2, 0 to 255
};

namespace field {
inline constexpr LengthQualificationField industrial25Length{19, LengthLayout::A};
inline constexpr LengthQualificationField interleave25Length{21, LengthLayout::B};
inline constexpr LengthQualificationField matrix25Length{23, LengthLayout::A};
inline constexpr LengthQualificationField msiLength{25, LengthLayout::A};
}  // namespace field

// The three parts of a length qualification, each an ordinary field.
struct LengthParts {
  ImageField mode;
  ImageField first;
  ImageField second;
};
LengthParts PartsOf(LengthQualificationField field);

LengthQualification GetLengthQualification(const SettingsImage& image,
                                           LengthQualificationField field);
// Lengths above 127 for the first length are cut to their low seven bits.
void SetLengthQualification(SettingsImage& image, LengthQualificationField field,
                            const LengthQualification& value);

// A list whose entries store other numbers than their positions: entry i
// stores `stored[i]`, and a stored value v shows as entry `entryOf[v]`.
struct ListEncoding {
  std::span<const uint8_t> stored;
  std::span<const uint8_t> entryOf;
};
// capsLockType and digitsLayout: entries 0, 1, 2 are stored as 0, 2, 3; a
// stored 1, which the scanner never gets from us, reads as entry 1.
extern const ListEncoding kSkipOneEncoding;

// interfaceType (byte 0) holds the interface and the keyboard type at once:
// 0 is RS-232, 250 wand emulation, 1 to 28 keyboard wedge with keyboard type
// value - 1. Any other value reads as keyboard wedge with no keyboard type.
enum class InterfaceKind : int { KeyboardWedge = 0, Rs232 = 1, WandEmulation = 2 };
inline constexpr int kKeyboardTypeCount = 28;
InterfaceKind InterfaceOf(uint8_t interfaceType);
// The keyboard type (0 to 27) of a keyboard-wedge value, or -1.
int KeyboardTypeOf(uint8_t interfaceType);
// The byte for an interface; keyboard wedge needs a keyboard type 0 to 27.
uint8_t InterfaceTypeValue(InterfaceKind kind, int keyboardType);

// The transmission sequence of an editing format: twelve 4-bit items, two per
// byte, the earlier in the high nibble. Items 1 to 6 are fields, 7 to 11
// additional fields. Its six bytes are reached as a key field's are.
namespace field {
inline constexpr FormatKeyField sequence{45, 6};
}
inline constexpr int kSequenceItemLimit = 11;
// The items as the scanner reads them: a zero byte ends the sequence, a zero
// nibble is skipped, and items above 11 name nothing and are dropped.
std::vector<uint8_t> SequenceItems(std::span<const uint8_t> sequence);
// Stores up to twelve items, two per byte, zeros after the last.
void StoreSequenceItems(std::span<uint8_t> sequence, std::span<const uint8_t> items);
inline constexpr int kSequenceItemCount = 12;

// Editing format n (1 to 3) inside the image.
inline constexpr int EditFormatOffset(int n) {
  return 74 + kEditFormatSize * (n - 1);
}
// An editing format's field, moved to where format n lies in the image.
constexpr ImageField InFormat(int n, FormatField f) {
  return {static_cast<uint8_t>(EditFormatOffset(n) + f.offset), f.mask};
}
constexpr ImageKeyField InFormat(int n, FormatKeyField f) {
  return {static_cast<uint8_t>(EditFormatOffset(n) + f.offset), f.capacity};
}
EditFormat ReadEditFormat(const SettingsImage& image, int n);
void WriteEditFormat(SettingsImage& image, int n, const EditFormat& format);

// The sum of bytes 0 to 253 modulo 256, and the checksum pair stored into 254/255.
uint8_t ComputeChecksum(const SettingsImage& image);
void StoreChecksum(SettingsImage& image);
