// Key sequences (KeyCodeString) and their bracketed rendering, e.g. [Shift][a][Enter].
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "settings/settings_image.h"

// How key sequences are read, as keyboard keys or as ASCII characters: the
// process-wide interface mode; keyboard wedge at start.
extern InterfaceKind InterfaceMode;

// The mode an image records in its interfaceType.
InterfaceKind InterfaceModeFromImage(const SettingsImage& image);

// The six modifier bits of a flag byte.
using ModifierSet = uint8_t;
inline constexpr ModifierSet kShift = 0x01, kLeftCtrl = 0x02, kLeftAlt = 0x04, kRightCtrl = 0x08,
                             kRightAlt = 0x10, kBreak = 0x20;
inline constexpr uint8_t kScanCodeMarker = 0xC0;

struct KeyRendering {
  int count = 0;              // bytes the rendered keys occupy: where a further key goes
  bool scanCode = false;      // the string is in the scan-code layout
  ModifierSet modifiers = 0;  // the first flag byte's modifiers, in the modified-key layout
};

// Appends the names of the modifiers in `modifiers`, e.g. "[Shift][LeftCtrl]".
void AppendModifiers(std::string& text, ModifierSet modifiers);

// Appends the rendering of the sequence in `field` (its size is the capacity)
// to `text`. In keyboard-wedge mode every key is read by its own first byte.
KeyRendering RenderKeyCodeString(std::span<const uint8_t> field, std::string& text,
                                 InterfaceKind mode);
