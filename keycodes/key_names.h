// The three key name tables, arranged as the key grid shows them: the name of
// code c stands at row c & 0x0F, column c >> 4.
#pragma once

#include <cstdint>

inline constexpr int kAsciiKeyCount = 0x80;
inline constexpr int kWedgeKeyCount = 0x90;
inline constexpr int kScanCodeCount = 0x100;

extern const char* const AsciiKeyNames[kAsciiKeyCount];
extern const char* const WedgeKeyNames[kWedgeKeyCount];
extern const char* const ScanCodeNames[kScanCodeCount];

// The modifiers of a flag byte, bit 0 first, in the order they are written.
inline constexpr int kModifierCount = 6;
extern const char* const ModifierNames[kModifierCount];
