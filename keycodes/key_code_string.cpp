// Rendering of key sequences by the name tables of the interface in force.
#include "keycodes/key_code_string.h"

#include "keycodes/key_names.h"
#include "settings/value_texts.h"

InterfaceKind InterfaceMode = InterfaceKind::KeyboardWedge;

namespace {

constexpr uint8_t kModifierMask = 0x3F;

// A code outside its table shows as "[?XX]", which no table name can look like.
void AppendKey(std::string& text, const char* const* names, int count, uint8_t code) {
  text += '[';
  if (code < count) {
    text += names[code];
  } else {
    text += '?';
    AppendHexByte(text, code);
  }
  text += ']';
}

KeyRendering RenderAscii(std::span<const uint8_t> field, std::string& text) {
  KeyRendering r;
  while (r.count < static_cast<int>(field.size()) && field[r.count] != 0)
    AppendKey(text, AsciiKeyNames, kAsciiKeyCount, field[r.count++]);
  return r;
}

KeyRendering RenderWedge(std::span<const uint8_t> field, std::string& text) {
  KeyRendering r;
  const int size = static_cast<int>(field.size());
  if (size > 0 && field[0] == kScanCodeMarker) r.scanCode = true;
  if (size > 0 && field[0] > kScanCodeMarker) r.modifiers = field[0] & kModifierMask;
  int i = 0;
  while (i < size && field[i] != 0) {
    const uint8_t lead = field[i];
    if (lead < kScanCodeMarker) {
      AppendKey(text, WedgeKeyNames, kWedgeKeyCount, lead);
      ++i;
      continue;
    }
    if (i + 1 >= size) break;  // a marker or flag byte with no key after it
    if (lead > kScanCodeMarker) AppendModifiers(text, lead & kModifierMask);
    const uint8_t code = field[i + 1];
    if (code == 0) break;
    if (lead == kScanCodeMarker)
      AppendKey(text, ScanCodeNames, kScanCodeCount, code);
    else
      AppendKey(text, WedgeKeyNames, kWedgeKeyCount, code);
    i += 2;
  }
  r.count = i;
  return r;
}

}  // namespace

void AppendModifiers(std::string& text, ModifierSet modifiers) {
  for (int bit = 0; bit < kModifierCount; ++bit) {
    if (!(modifiers & (1u << bit))) continue;
    text += '[';
    text += ModifierNames[bit];
    text += ']';
  }
}

InterfaceKind InterfaceModeFromImage(const SettingsImage& image) {
  return InterfaceOf(Get(image, field::interfaceType));
}

KeyRendering RenderKeyCodeString(std::span<const uint8_t> field, std::string& text,
                                 InterfaceKind mode) {
  return mode == InterfaceKind::KeyboardWedge ? RenderWedge(field, text) : RenderAscii(field, text);
}
