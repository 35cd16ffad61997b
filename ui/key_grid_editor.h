// The key grid editor "Grid_Dlg": composes a key sequence by clicking a grid
// of key names, plain, with modifiers or as scan codes (Windows only).
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

// Opens the editor modally over `owner`, on the working copy `keys` (the
// field's capacity in bytes), in the interface mode in force. OK stores the
// composed bytes, zeros after the first zero, into `keys` and returns 1;
// Cancel leaves `keys` alone and returns 0.
int RunKeyGridEditor(HWND owner, std::span<uint8_t> keys);
