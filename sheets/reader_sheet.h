// The "Reader Settings" property sheet.
#pragma once

#include <windows.h>

// Runs the sheet modally over `parent`, starting on "Scanner". Whichever way it
// closes: sets the modified flag when the image changed, derives InterfaceMode
// from the image and rebuilds the report.
void RunReaderSettingsSheet(HWND parent);
