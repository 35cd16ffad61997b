// Scans as text: the bytes or keys a scanner sent, written with the key names
// the pages use, e.g. "[STX]0123456789[CR][LF]" or "0123[Enter]".
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "keycodes/key_code_parse.h"
#include "keycodes/key_code_string.h"

// Appends the key named `name`: a one-character name as that character, any
// other (and "[", which would open a name) in brackets.
void AppendScanKey(std::string& text, std::string_view name);

// RS-232 bytes by the ASCII key names; a byte without one (0x00, 0x80 to
// 0xFF) as "[x80]".
std::string ScanText(std::span<const uint8_t> bytes);

// A keyboard-wedge key by the wedge names: a character key alone as its
// character, a key with modifiers as the pages write it ("[LeftCtrl][b]").
void AppendScanWedgeKey(std::string& text, ModifierSet modifiers, uint8_t code);

// Reads a scan written as ScanText writes it, where any character other than
// "[" also stands for itself.
KeyParse ParseScanText(std::string_view text);

// The bytes in hexadecimal, "30 31 0D".
std::string ScanHex(std::span<const uint8_t> bytes);
