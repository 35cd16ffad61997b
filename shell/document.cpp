// The modified flag.
#include "shell/document.h"

int settingsModified = 0;

void NoteImageChanges(const SettingsImage& before) {
  if (settingsImage.bytes != before.bytes) settingsModified = 1;
}
