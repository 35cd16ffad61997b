// Every field of the image by name, as text and back: the fields `skelv get`
// prints, `skelv set` assigns and `skelv diff` compares.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_image.h"
#include "settings/value_texts.h"

enum class FieldKind {
  Number,     // a decimal number
  Switch,     // one bit, "on" or "off"
  Coded,      // a value with a text of its own, else its stored number
  Interface,  // interfaceType: RS-232, a keyboard type or wand emulation
  Keys,       // a key sequence, bracketed key names in the image's interface
  Sequence,   // an editing format's transmission sequence, "[F1][A2]..."
};

struct FieldSpec {
  std::string name;  // e.g. "scanningMode", "codeIds.code128", "editFormats[2].sequence"
  FieldKind kind;
  ImageField bits{};   // Number, Switch, Coded, Interface
  ValueTexts texts{};  // Coded: by stored value
  // Coded: the stored values that show as their text; empty when every entry does.
  std::span<const uint8_t> written{};
  ImageKeyField bytes{};  // Keys, and the bytes of a Sequence
};

// Every field of the image in image order; the checksum pair and reserved bits
// are not fields.
const std::vector<FieldSpec>& ImageFields();
const FieldSpec* FindField(std::string_view name);
// Whether `name` picks `field`: the field itself, or a group it belongs to
// ("symbologyOn", "editFormats[2]", "lengthQualification.msi").
bool NamePicks(std::string_view name, const FieldSpec& field);

// The text of a Switch, Coded or Interface value, or nullptr when the value
// shows as its stored number.
const char* ValueTextOf(const FieldSpec& field, unsigned value);

// The value as `get` prints it. Key sequences are read in `mode`; a key
// sequence or transmission sequence whose text would not read back to the
// same bytes shows as "0x" and its bytes in hexadecimal.
std::string FieldText(const SettingsImage& image, const FieldSpec& field, InterfaceKind mode);

// Stores `text` into the field. Returns false, with `reason` saying why when
// there is more to say than FieldAccepts, and the image unchanged.
bool SetFieldText(SettingsImage& image, const FieldSpec& field, std::string_view text,
                  InterfaceKind mode, std::string& reason);
// What the field takes, for error lines.
std::string FieldAccepts(const FieldSpec& field, InterfaceKind mode);

struct Assignment {
  std::string name;
  std::string value;
};
// Applies all assignments to `image`, or none: key sequences are read in the
// interface the image has after the other assignments. Returns one line per
// refused assignment.
std::vector<std::string> ApplyAssignments(SettingsImage& image,
                                          std::span<const Assignment> assignments);

struct FieldDifference {
  std::string name;  // a field, or "reserved[N]" for reserved bits of byte N
  std::string before, after;
};
// The fields in which `b` differs from `a`, then reserved bits of bytes 0 to
// 253 that differ. Each side's key sequences are read in its own interface.
std::vector<FieldDifference> DifferingFields(const SettingsImage& a, const SettingsImage& b);
// Their names joined by `separator`.
std::string DifferenceNames(std::span<const FieldDifference> differences, const char* separator);
