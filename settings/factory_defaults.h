// The factory configuration.
#pragma once

#include "settings/settings_image.h"

// Writes the factory values into bytes 0 to 229 of `image`; 230 to 255 keep theirs.
void ApplyFactoryDefaults(SettingsImage& image);

// Resets the process-wide image (bytes 0 to 229).
void ResetToFactoryDefaults();

// A fresh image as the program holds it after start-up: defaults, 230 to 255 zero.
SettingsImage FactoryImage();
