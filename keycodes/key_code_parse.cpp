// Reading bracketed key names back into key-code bytes.
#include "keycodes/key_code_parse.h"

#include "keycodes/key_code_string.h"
#include "keycodes/key_names.h"
#include "settings/value_texts.h"

namespace {

// "?XX" gives XX; anything else -1.
int RawCode(std::string_view name) {
  return name.size() == 3 && name[0] == '?' ? HexByteValue(name.substr(1)) : -1;
}

ModifierSet ModifierBit(std::string_view name) {
  for (int bit = 0; bit < kModifierCount; ++bit)
    if (name == ModifierNames[bit]) return static_cast<ModifierSet>(1u << bit);
  return 0;
}

KeyParse Failed(std::string error) {
  return {{}, std::move(error)};
}

}  // namespace

size_t NameEnd(std::string_view text, size_t at) {
  const size_t close = text.find(']', at + 1);
  if (close == at + 1 && at + 2 < text.size() && text[at + 2] == ']') return at + 2;
  return close;
}

int KeyCodeNamed(const char* const* names, int count, std::string_view name) {
  for (int code = 1; code < count; ++code)
    if (*names[code] && name == names[code]) return code;
  return -1;
}

KeyParse ParseKeyCodeString(std::string_view text, InterfaceKind mode) {
  const bool wedge = mode == InterfaceKind::KeyboardWedge;
  KeyParse out;
  ModifierSet pending = 0;
  size_t at = 0;
  while (at < text.size()) {
    if (text[at] != '[') return Failed("keys are written in brackets, as [a]");
    const size_t close = NameEnd(text, at);
    if (close == std::string_view::npos) return Failed("a \"[\" is not closed");
    const std::string_view name = text.substr(at + 1, close - at - 1);
    at = close + 1;
    if (wedge && ModifierBit(name)) {
      pending |= ModifierBit(name);
      continue;
    }
    int code = RawCode(name);
    bool scanCode = false;
    if (code < 0)
      code = wedge ? KeyCodeNamed(WedgeKeyNames, kWedgeKeyCount, name)
                   : KeyCodeNamed(AsciiKeyNames, kAsciiKeyCount, name);
    if (code < 0 && wedge) {
      code = KeyCodeNamed(ScanCodeNames, kScanCodeCount, name);
      scanCode = code >= 0;
    }
    std::string key = "[";
    key.append(name).push_back(']');
    if (code <= 0) return Failed(key + " names no key");
    if (scanCode && pending) return Failed(key + " is a scan code, which takes no modifiers");
    if (wedge && !scanCode && !pending && code >= kScanCodeMarker)
      return Failed(key + " would read as a flag byte");
    if (scanCode || pending) out.bytes.push_back(static_cast<uint8_t>(kScanCodeMarker | pending));
    out.bytes.push_back(static_cast<uint8_t>(code));
    pending = 0;
  }
  if (pending) return Failed("modifiers need a key after them");
  return out;
}
