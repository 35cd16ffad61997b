// The state of the configuration being edited: the modified flag.
#pragma once

#include "settings/settings_image.h"

// Set whenever the program changed the image since it was last saved, opened
// or reset; tested before New, Open and closing.
extern int settingsModified;

// Sets the modified flag when the process-wide image differs from `before`;
// called after anything that may have written the image (a sheet, a dialog, a
// read-back).
void NoteImageChanges(const SettingsImage& before);
