// Writing and reading scans as text by the key name tables.
#include "keycodes/scan_text.h"

#include "keycodes/key_names.h"
#include "settings/value_texts.h"

namespace {

void AppendRawByte(std::string& text, uint8_t byte) {
  text += "[x";
  AppendHexByte(text, byte);
  text += ']';
}

int AsciiCode(std::string_view name) {
  if (name.size() == 3 && name[0] == 'x') return HexByteValue(name.substr(1));
  return KeyCodeNamed(AsciiKeyNames, kAsciiKeyCount, name);
}

}  // namespace

void AppendScanKey(std::string& text, std::string_view name) {
  if (name.size() == 1 && name[0] != '[') {
    text += name;
    return;
  }
  text += '[';
  text += name;
  text += ']';
}

std::string ScanText(std::span<const uint8_t> bytes) {
  std::string text;
  for (const uint8_t byte : bytes) {
    if (byte < kAsciiKeyCount && *AsciiKeyNames[byte])
      AppendScanKey(text, AsciiKeyNames[byte]);
    else
      AppendRawByte(text, byte);
  }
  return text;
}

void AppendScanWedgeKey(std::string& text, ModifierSet modifiers, uint8_t code) {
  if (code >= kWedgeKeyCount || !*WedgeKeyNames[code]) {
    AppendModifiers(text, modifiers);
    AppendRawByte(text, code);
    return;
  }
  // A modified key is written whole, as on the pages: [LeftCtrl][b].
  if (!modifiers) return AppendScanKey(text, WedgeKeyNames[code]);
  AppendModifiers(text, modifiers);
  text.append("[").append(WedgeKeyNames[code]).append("]");
}

KeyParse ParseScanText(std::string_view text) {
  KeyParse out;
  size_t at = 0;
  while (at < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[at]);
    if (c >= 0x80) return {{}, "bytes above 7F are written [x80] to [xFF]"};
    if (c != '[') {
      out.bytes.push_back(c);
      ++at;
      continue;
    }
    const size_t close = NameEnd(text, at);
    if (close == std::string_view::npos) return {{}, "a \"[\" is not closed"};
    const std::string_view name = text.substr(at + 1, close - at - 1);
    const int code = AsciiCode(name);
    if (code < 0) {
      std::string key = "[";
      key.append(name).push_back(']');
      return {{}, key + " names no character"};
    }
    out.bytes.push_back(static_cast<uint8_t>(code));
    at = close + 1;
  }
  return out;
}

std::string ScanHex(std::span<const uint8_t> bytes) {
  std::string text;
  for (const uint8_t byte : bytes) {
    if (!text.empty()) text += ' ';
    AppendHexByte(text, byte);
  }
  return text;
}
