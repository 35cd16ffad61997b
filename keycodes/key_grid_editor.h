// The key grid editor "Grid_Dlg": composes a key sequence by clicking a grid
// of key names, plain, with modifiers or as scan codes (Windows only).
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

// Opens the editor modally over the key field `field`, on the working copy
// `keys` (the field's capacity in bytes), in the interface mode in force. OK
// stores the composed bytes, zeros after the first zero, into `keys` and
// their rendering into the field's text; Cancel gives the field back the text
// it showed when the editor opened. Returns 1 after OK.
int RunKeyGridEditor(HWND field, std::span<uint8_t> keys);
