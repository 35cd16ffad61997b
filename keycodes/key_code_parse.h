// Key sequences read back from their bracketed text, e.g. "[Shift][a][Enter]".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_image.h"

struct KeyParse {
  std::vector<uint8_t> bytes;  // the keys, without the zeros that end a field
  std::string error;           // empty when the whole text was read
};

// Reads `text` by the name tables of `mode`, the inverse of RenderKeyCodeString.
// In the keyboard wedge, modifier names before a key make a flagged pair and
// two hexadecimal digits that name no key are a scan code. "[?XX]" is the
// code XX itself, as the rendering shows codes outside the tables.
KeyParse ParseKeyCodeString(std::string_view text, InterfaceKind mode);

// Where the name in brackets opened at text[at] ends: its "]", or npos when
// it is not closed. "[]]" is the key "]": no key has an empty name.
size_t NameEnd(std::string_view text, size_t at);

// The code whose name in `names` is `name`; code 0 and empty names name no key.
int KeyCodeNamed(const char* const* names, int count, std::string_view name);
