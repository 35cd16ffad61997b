// The name table of the image's fields, built from the field accessors and the
// value texts, and the text forms of each kind of field.
#include "fields/field_list.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "keycodes/key_code_parse.h"
#include "keycodes/key_code_string.h"
#include "settings/value_texts.h"

namespace {

constexpr const char* kOnOff[] = {"off", "on"};
// The byte map's words; the report prints the digit alone.
constexpr const char* kBuzzerFrequency[] = {"8 kHz", "4 kHz", "2 kHz", "1 kHz"};
constexpr const char* kLengthMode[] = {"Fixed Length", "Max / Min Length"};
const ValueTexts kOnOffTexts{kOnOff};
const ValueTexts kBuzzerFrequencyTexts{kBuzzerFrequency};
const ValueTexts kLengthModeTexts{kLengthMode};

// The suffixes of per-symbology fields, in the order of the code-length
// switches. The code ids leave EAN 128 out; the code-type bit set has UPCE,
// EAN 8, EAN 13 and UPCA also with 2- and 5-digit add-ons.
constexpr const char* kSymbologyNames[] = {"code39",
                                           "italianPharmacode",
                                           "frenchPharmacode",
                                           "industrial25",
                                           "interleave25",
                                           "matrix25",
                                           "codabar",
                                           "code93",
                                           "code128",
                                           "ean128",
                                           "upce",
                                           "ean8",
                                           "ean13",
                                           "upca",
                                           "msi",
                                           "plessey"};
constexpr int kEan128 = static_cast<int>(CodeLengthSymbology::Ean128);
constexpr int kFirstWithAddOns = static_cast<int>(CodeLengthSymbology::Upce);
constexpr int kLastWithAddOns = static_cast<int>(CodeLengthSymbology::Upca);

std::vector<std::string> CodeTypeNames() {
  std::vector<std::string> names;
  for (int i = 0; i < static_cast<int>(std::size(kSymbologyNames)); ++i) {
    names.push_back(kSymbologyNames[i]);
    if (i < kFirstWithAddOns || i > kLastWithAddOns) continue;
    names.push_back(names.back() + "Addon2");
    names.push_back(names[names.size() - 2] + "Addon5");
  }
  return names;
}

// A field of one byte or fewer bits; Coded rows name their texts.
struct BitsRow {
  const char* name;
  ImageField bits;
  FieldKind kind = FieldKind::Switch;
  const ValueTexts* texts = nullptr;
  const ListEncoding* encoding = nullptr;  // values that are stored otherwise than listed
};
constexpr FieldKind kCoded = FieldKind::Coded, kNumber = FieldKind::Number;
constexpr int kSubstitutionCount = 3;

// Bytes 0 to 8.
const BitsRow kLeadingRows[] = {
    {"interfaceType", field::interfaceType, FieldKind::Interface},
    {"digitsTransmission", field::digitsTransmission, kCoded, &kDigitsTransmissionTexts},
    {"capsLockType", field::capsLockType, kCoded, &kCapsLockTypeTexts, &kSkipOneEncoding},
    {"digitsLayout", field::digitsLayout, kCoded, &kDigitsLayoutTexts, &kSkipOneEncoding},
    {"alphabetsTransmission", field::alphabetsTransmission, kCoded, &kAlphabetsTransmissionTexts},
    {"capsLockState", field::capsLockState, kCoded, &kCapsLockStateTexts},
    {"interCharDelay", field::interCharDelay, kNumber},
    {"baudRate", field::baudRate, kCoded, &kBaudRateTexts},
    {"parity", field::parity, kCoded, &kParityTexts},
    {"dataBits", field::dataBits, kCoded, &kDataBitsTexts},
    {"flowControl", field::flowControl, kCoded, &kFlowControlTexts},
    {"buzzerFrequency", field::buzzerFrequency, kCoded, &kBuzzerFrequencyTexts},
    {"buzzerOff", field::buzzerOff},
    {"negativeBarcode", field::negativeBarcode},
    {"scanningMode", field::scanningMode, kCoded, &kScanningModeTexts},
    {"rereadDelay", field::rereadDelay, kCoded, &kRereadDelayTexts},
    {"alternateComposing", field::alternateComposing},
    {"autoSense", field::autoSense},
    {"marginTime", field::marginTime, kCoded, &kMarginTimeTexts},
    {"moduleTime", field::moduleTime, kCoded, &kModuleTimeTexts},
    {"normalState", field::normalState, kCoded, &kSignalStateTexts},
    {"barState", field::barState, kCoded, &kSignalStateTexts},
    {"readRedundancy", field::readRedundancy, kCoded, &kReadRedundancyTexts},
    {"alphabetsLayout", field::alphabetsLayout, kCoded, &kAlphabetsLayoutTexts},
    {"editInclusive", field::editInclusive},
    {"editFormatOn[1]", field::editFormatOn(1)},
    {"editFormatOn[2]", field::editFormatOn(2)},
    {"editFormatOn[3]", field::editFormatOn(3)},
    {"scanTimeout", field::scanTimeout, kNumber},
};

// Bytes 14 to 18: the option, then the symbology.
const BitsRow kSymbologyOptionRows[] = {
    {"fullAscii.code39", field::code39FullAscii},
    {"transmitStartStop.code39", field::code39TransmitStartStop},
    {"verifyChecksum.code39", field::code39VerifyChecksum},
    {"transmitChecksum.code39", field::code39TransmitChecksum},
    {"transmitChecksum.italianPharmacode", field::italianPharmaTransmitChecksum},
    {"transmitChecksum.frenchPharmacode", field::frenchPharmaTransmitChecksum},
    {"startStopSelection.industrial25", field::industrial25StartStop, kCoded,
     &kStartStopSelectionTexts},
    {"startStopSelection.interleave25", field::interleave25StartStop, kCoded,
     &kStartStopSelectionTexts},
    {"startStopSelection.matrix25", field::matrix25StartStop, kCoded, &kStartStopSelectionTexts},
    {"verifyChecksum.industrial25", field::industrial25VerifyChecksum},
    {"transmitChecksum.industrial25", field::industrial25TransmitChecksum},
    {"verifyChecksum.interleave25", field::interleave25VerifyChecksum},
    {"transmitChecksum.interleave25", field::interleave25TransmitChecksum},
    {"verifyChecksum.matrix25", field::matrix25VerifyChecksum},
    {"transmitChecksum.matrix25", field::matrix25TransmitChecksum},
    {"startStopCharacter.codabar", field::codabarStartStopChar, kCoded, &kCodabarStartStopTexts},
    {"transmitStartStop.codabar", field::codabarTransmitStartStop},
    {"clsiConversion.codabar", field::codabarClsiConversion},
    {"transmitChecksum.plessey", field::plesseyTransmitChecksum},
    {"convertToUkPlessey.plessey", field::plesseyConvertToUk},
    {"checksumVerification.msi", field::msiChecksumVerification, kCoded, &kMsiVerificationTexts},
    {"checksumTransmission.msi", field::msiChecksumTransmission, kCoded, &kMsiTransmissionTexts},
    {"convertToUpca.upce", field::upceConvertToUpca},
    {"convertToEan13.upca", field::upcaConvertToEan13},
    {"convertToEan13.ean8", field::ean8ConvertToEan13},
    {"isbnConversion.ean13", field::ean13IsbnConversion},
    {"issnConversion.ean13", field::ean13IssnConversion},
    {"transmitChecksum.upce", field::upceTransmitChecksum},
    {"transmitChecksum.upca", field::upcaTransmitChecksum},
    {"transmitChecksum.ean8", field::ean8TransmitChecksum},
    {"transmitChecksum.ean13", field::ean13TransmitChecksum},
    {"transmitSystemNumber.upce", field::upceTransmitSystemNumber},
    {"transmitSystemNumber.upca", field::upcaTransmitSystemNumber},
    {"systemNumber.upce", field::upceSystemNumber, kCoded, &kUpceSystemNumberTexts},
};

struct LengthRow {
  const char* symbology;
  LengthQualificationField field;
};
const LengthRow kLengthRows[] = {{"industrial25", field::industrial25Length},
                                 {"interleave25", field::interleave25Length},
                                 {"matrix25", field::matrix25Length},
                                 {"msi", field::msiLength}};

// Byte 67.
const BitsRow kPortRows[] = {
    {"transmissionMode", field::transmissionMode, kCoded, &kTransmissionModeTexts},
    {"laptopSupport", field::laptopSupport},
    {"goodReadLed", field::goodReadLed},
};

struct TableBuilder {
  std::vector<FieldSpec> fields;

  void Bits(std::string name, ImageField bits, FieldKind kind, const ValueTexts* texts = nullptr,
            const ListEncoding* encoding = nullptr) {
    FieldSpec f{std::move(name), kind, bits};
    if (texts) f.texts = *texts;
    if (encoding) f.written = encoding->stored;
    fields.push_back(std::move(f));
  }
  void Rows(std::span<const BitsRow> rows) {
    for (const BitsRow& r : rows) Bits(r.name, r.bits, r.kind, r.texts, r.encoding);
  }
  void Keys(std::string name, ImageKeyField bytes, FieldKind kind = FieldKind::Keys) {
    fields.push_back({std::move(name), kind, {}, {}, {}, bytes});
  }
};

std::vector<FieldSpec> BuildTable() {
  TableBuilder t;
  const std::vector<std::string> codeTypes = CodeTypeNames();
  t.Rows(kLeadingRows);
  for (int i = 0; i < kCodeTypeCount; ++i)
    t.Bits("symbologyOn." + codeTypes[i], field::symbologyOn(static_cast<CodeType>(i)),
           FieldKind::Switch);
  for (int i = 0; i < static_cast<int>(std::size(kSymbologyNames)); ++i)
    t.Bits(std::string("codeLengthOn.") + kSymbologyNames[i],
           field::codeLengthOn(static_cast<CodeLengthSymbology>(i)), FieldKind::Switch);
  t.Rows(kSymbologyOptionRows);
  for (const LengthRow& r : kLengthRows) {
    const LengthParts parts = PartsOf(r.field);
    const std::string name = std::string("lengthQualification.") + r.symbology;
    t.Bits(name + ".mode", parts.mode, kCoded, &kLengthModeTexts);
    t.Bits(name + ".first", parts.first, kNumber);
    t.Bits(name + ".second", parts.second, kNumber);
  }
  t.Keys("prefix", field::prefix);
  t.Keys("suffix", field::suffix);
  for (int i = 0, id = 0; i < static_cast<int>(std::size(kSymbologyNames)); ++i)
    if (i != kEan128) t.Keys(std::string("codeIds.") + kSymbologyNames[i], field::codeId(id++));
  t.Keys("fieldSeparator", field::fieldSeparator);
  t.Rows(kPortRows);
  for (int n = 1; n <= kSubstitutionCount; ++n) {
    const std::string pair = "substitutions[" + std::to_string(n) + "].";
    t.Bits(pair + "fromCode", field::fromCode(n), kNumber);
    t.Bits(pair + "toCode", field::toCode(n), kNumber);
  }
  for (int n = 1; n <= kEditFormatCount; ++n) {
    const std::string format = "editFormats[" + std::to_string(n) + "].";
    for (int i = 0; i < kCodeTypeCount; ++i)
      t.Bits(format + "codeTypes." + codeTypes[i],
             InFormat(n, field::codeTypes(static_cast<CodeType>(i))), FieldKind::Switch);
    t.Bits(format + "minLength", InFormat(n, field::minLength), kNumber);
    t.Bits(format + "maxLength", InFormat(n, field::maxLength), kNumber);
    t.Keys(format + "matchString", InFormat(n, field::matchString));
    t.Bits(format + "matchPosition", InFormat(n, field::matchPosition), kNumber);
    for (int k = 1; k <= field::kFieldRecordCount; ++k) {
      const std::string record = format + "fields[" + std::to_string(k) + "].";
      t.Bits(record + "fieldLength", InFormat(n, field::fieldLength(k)), kNumber);
      t.Bits(record + "includeTerminator", InFormat(n, field::includeTerminator(k)),
             FieldKind::Switch);
      t.Keys(record + "terminator", InFormat(n, field::terminator(k)));
    }
    for (int k = 1; k <= field::kAdditionalFieldCount; ++k)
      t.Keys(format + "additionalFields[" + std::to_string(k) + "]",
             InFormat(n, field::additionalField(k)));
    t.Keys(format + "sequence", InFormat(n, field::sequence), FieldKind::Sequence);
    t.Bits(format + "fieldCount", InFormat(n, field::fieldCount), kNumber);
  }
  return std::move(t.fields);
}

bool IsBits(const FieldSpec& f) {
  return f.kind != FieldKind::Keys && f.kind != FieldKind::Sequence;
}

std::string HexText(std::span<const uint8_t> bytes) {
  std::string text = "0x";
  for (const uint8_t b : bytes) AppendHexByte(text, b);
  return text;
}

// "0x" and exactly two digits per byte of `size`.
bool ReadHex(std::string_view text, std::vector<uint8_t>& bytes, size_t size) {
  if (text.size() != 2 + 2 * size || !text.starts_with("0x")) return false;
  bytes.clear();
  for (size_t k = 2; k < text.size(); k += 2) {
    const int value = HexByteValue(text.substr(k, 2));
    if (value < 0) return false;
    bytes.push_back(static_cast<uint8_t>(value));
  }
  return true;
}

bool ReadDecimal(std::string_view text, unsigned max, unsigned& value) {
  if (text.empty() || text.size() > 3) return false;
  value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value <= max;
}

// The bytes `text` reads to in `mode`, zeros to the field's end; false when
// it does not read or does not fit.
bool ReadKeys(std::string_view text, InterfaceKind mode, size_t capacity,
              std::vector<uint8_t>& bytes, std::string& reason) {
  KeyParse parsed = ParseKeyCodeString(text, mode);
  reason = parsed.error;
  if (!reason.empty()) return false;
  if (parsed.bytes.size() > capacity) {
    reason = "needs " + std::to_string(parsed.bytes.size()) + " bytes";
    return false;
  }
  bytes = std::move(parsed.bytes);
  bytes.resize(capacity, 0);
  return true;
}

std::vector<uint8_t> ReadSequence(std::string_view text, std::string& reason) {
  std::vector<uint8_t> items;
  while (!text.empty()) {
    uint8_t item = 1;
    while (item <= kSequenceItemLimit && !text.starts_with(kSequenceItemTexts[item])) ++item;
    if (item > kSequenceItemLimit) {
      reason = "it names other items";
      return {};
    }
    items.push_back(item);
    text.remove_prefix(std::string_view(kSequenceItemTexts[item]).size());
  }
  if (items.size() > kSequenceItemCount) reason = "has more than 12 items";
  return items;
}

const char* ModeName(InterfaceKind mode) {
  switch (mode) {
    case InterfaceKind::Rs232:
      return "RS-232";
    case InterfaceKind::WandEmulation:
      return "wand emulation";
    default:
      return "the keyboard wedge";
  }
}

}  // namespace

const std::vector<FieldSpec>& ImageFields() {
  static const std::vector<FieldSpec> table = BuildTable();
  return table;
}

const FieldSpec* FindField(std::string_view name) {
  for (const FieldSpec& f : ImageFields())
    if (f.name == name) return &f;
  return nullptr;
}

bool NamePicks(std::string_view name, const FieldSpec& field) {
  const std::string_view full = field.name;
  return full.starts_with(name) &&
         (full.size() == name.size() || full[name.size()] == '.' || full[name.size()] == '[');
}

const char* ValueTextOf(const FieldSpec& field, unsigned value) {
  switch (field.kind) {
    case FieldKind::Switch:
      return ValueText(kOnOffTexts, value);
    case FieldKind::Interface: {
      if (value > 0xFF) return nullptr;
      const uint8_t type = static_cast<uint8_t>(value);
      if (InterfaceOf(type) != InterfaceKind::KeyboardWedge)
        return kInterfaceTexts[static_cast<int>(InterfaceOf(type))];
      return KeyboardTypeOf(type) < 0 ? nullptr : kKeyboardTypeTexts[KeyboardTypeOf(type)];
    }
    case FieldKind::Coded:
      if (!field.written.empty() &&
          std::find(field.written.begin(), field.written.end(), value) == field.written.end())
        return nullptr;
      return ValueText(field.texts, value);
    default:
      return nullptr;
  }
}

std::string FieldText(const SettingsImage& image, const FieldSpec& field, InterfaceKind mode) {
  if (IsBits(field)) {
    const unsigned value = Get(image, field.bits);
    const char* text = ValueTextOf(field, value);
    return text ? text : std::to_string(value);
  }
  const std::span<const uint8_t> bytes = Bytes(image, field.bytes);
  std::string text, reason;
  std::vector<uint8_t> back;
  if (field.kind == FieldKind::Keys) {
    RenderKeyCodeString(bytes, text, mode);
    const bool same = ReadKeys(text, mode, bytes.size(), back, reason) &&
                      std::equal(back.begin(), back.end(), bytes.begin());
    return same ? text : HexText(bytes);
  }
  const std::vector<uint8_t> items = SequenceItems(bytes);
  text = SequenceText(items);
  back.resize(bytes.size());
  StoreSequenceItems(back, items);
  return std::equal(back.begin(), back.end(), bytes.begin()) ? text : HexText(bytes);
}

bool SetFieldText(SettingsImage& image, const FieldSpec& field, std::string_view text,
                  InterfaceKind mode, std::string& reason) {
  reason.clear();
  if (IsBits(field)) {
    const unsigned max = LargestValue(field.bits.mask);
    unsigned value = 0;
    bool found = false;
    for (unsigned v = 0; v <= max && !found && field.kind != FieldKind::Number; ++v) {
      const char* t = ValueTextOf(field, v);
      if (t && text == t) found = true, value = v;
    }
    if (!found && !ReadDecimal(text, max, value)) return false;
    Set(image, field.bits, value);
    return true;
  }
  const std::span<uint8_t> target = Bytes(image, field.bytes);
  std::vector<uint8_t> bytes;
  if (!ReadHex(text, bytes, target.size())) {
    if (text.starts_with("0x")) return false;
    if (field.kind == FieldKind::Keys) {
      if (!ReadKeys(text, mode, target.size(), bytes, reason)) return false;
    } else {
      const std::vector<uint8_t> items = ReadSequence(text, reason);
      if (!reason.empty()) return false;
      bytes.resize(target.size());
      StoreSequenceItems(bytes, items);
    }
  }
  std::copy(bytes.begin(), bytes.end(), target.begin());
  return true;
}

std::string FieldAccepts(const FieldSpec& field, InterfaceKind mode) {
  const std::string max = IsBits(field) ? std::to_string(LargestValue(field.bits.mask)) : "";
  const std::string hex =
      "or 0x and " + std::to_string(2 * field.bytes.capacity) + " hexadecimal digits";
  switch (field.kind) {
    case FieldKind::Number:
      return "a number from 0 to " + max;
    case FieldKind::Keys:
      return "key names of " + std::string(ModeName(mode)) + " in brackets, such as " +
             (mode == InterfaceKind::KeyboardWedge ? "[Shift][a][Enter]" : "[STX][a][CR]") +
             ", at most " + std::to_string(field.bytes.capacity) + " bytes, " + hex;
    case FieldKind::Sequence:
      return "up to 12 of [F1] to [F6] and [A1] to [A5], such as [F1][A1][F2], " + hex;
    default:
      break;
  }
  std::string texts;
  for (unsigned v = 0; v <= LargestValue(field.bits.mask); ++v)
    if (const char* t = ValueTextOf(field, v)) texts.append("\"").append(t).append("\", ");
  return "one of " + texts + "or a stored number from 0 to " + max;
}

std::vector<std::string> ApplyAssignments(SettingsImage& image,
                                          std::span<const Assignment> assignments) {
  SettingsImage next = image;
  std::vector<std::string> refusals;
  std::vector<std::pair<const FieldSpec*, const Assignment*>> keys;
  const auto apply = [&](const FieldSpec& f, const Assignment& a, InterfaceKind mode) {
    std::string reason;
    if (SetFieldText(next, f, a.value, mode, reason)) return;
    refusals.push_back(a.name + ": \"" + a.value + "\" is refused" +
                       (reason.empty() ? "" : ": " + reason) + "; it takes " +
                       FieldAccepts(f, mode));
  };
  for (const Assignment& a : assignments) {
    const FieldSpec* f = FindField(a.name);
    if (!f)
      refusals.push_back(a.name + ": no such field");
    else if (f->kind == FieldKind::Keys)
      keys.emplace_back(f, &a);
    else
      apply(*f, a, InterfaceKind::KeyboardWedge);
  }
  // Key names follow the interface the assignments leave.
  const InterfaceKind mode = InterfaceModeFromImage(next);
  for (const auto& [f, a] : keys) apply(*f, *a, mode);
  if (refusals.empty()) image = next;
  return refusals;
}

std::vector<FieldDifference> DifferingFields(const SettingsImage& a, const SettingsImage& b) {
  const InterfaceKind modeA = InterfaceModeFromImage(a), modeB = InterfaceModeFromImage(b);
  std::vector<FieldDifference> differences;
  for (const FieldSpec& f : ImageFields()) {
    const bool differ = IsBits(f) ? Get(a, f.bits) != Get(b, f.bits)
                                  : !std::ranges::equal(Bytes(a, f.bytes), Bytes(b, f.bytes));
    if (differ) differences.push_back({f.name, FieldText(a, f, modeA), FieldText(b, f, modeB)});
  }
  // Bits no field covers, up to the checksum pair.
  static const std::array<uint8_t, field::checksum.offset> covered = [] {
    std::array<uint8_t, field::checksum.offset> bits{};
    for (const FieldSpec& f : ImageFields()) {
      if (IsBits(f))
        bits[f.bits.offset] |= f.bits.mask;
      else
        std::fill_n(bits.begin() + f.bytes.offset, f.bytes.capacity, 0xFF);
    }
    return bits;
  }();
  for (size_t i = 0; i < covered.size(); ++i) {
    const uint8_t reserved = static_cast<uint8_t>(~covered[i]);
    const uint8_t before = a.bytes[i] & reserved, after = b.bytes[i] & reserved;
    if (before != after)
      differences.push_back(
          {"reserved[" + std::to_string(i) + "]", HexText({&before, 1}), HexText({&after, 1})});
  }
  return differences;
}

std::string DifferenceNames(std::span<const FieldDifference> differences, const char* separator) {
  std::string names;
  for (const FieldDifference& d : differences) names += (names.empty() ? "" : separator) + d.name;
  return names;
}
