// The factory configuration and the editing-format working copies it refreshes.
#pragma once

#include "settings/settings_image.h"

// Working copies of the three editing formats, edited by the format sheet and
// overwritten from the image by the factory reset and by the report.
extern EditFormat editFormatCopies[kEditFormatCount];

// Writes the factory values into bytes 0 to 229 of `image`; 230 to 255 keep theirs.
void ApplyFactoryDefaults(SettingsImage& image);

// Resets the process-wide image (bytes 0 to 229) and refreshes the working copies.
void ResetToFactoryDefaults();

// Copies the three editing formats of the process-wide image over the working copies.
void RefreshEditFormatCopies();

// A fresh image as the program holds it after start-up: defaults, 230 to 255 zero.
SettingsImage FactoryImage();
