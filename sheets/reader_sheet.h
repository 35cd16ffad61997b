// The "Reader Settings" property sheet.
#pragma once

#include <windows.h>

// Runs the sheet modally over `parent`, starting on "Scanner", its pages bound
// to the process-wide image. Returns whether OK closed it.
bool RunReaderSettingsSheet(HWND parent);
