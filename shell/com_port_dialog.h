// The "COM Port Properties" dialog: the five serial-line choices of
// PortSettings, whether downloads are verified, and the search for the line
// settings at which the scanner on the chosen port answers.
#pragma once

#include <windows.h>

#include "link/connection.h"
#include "ui/binding.h"

// The dialog's table, bound to PortSettings.
extern const DialogTable kComPortTable;

// Shows the dialog modally over `owner`. OK stores the choices into
// portSettings and returns 1; Cancel returns 0 and changes nothing.
int RunComPortDialog(HWND owner);

// The operator's words for a port that did not open; null when it opened.
const char* PortOpenError(PortOpenResult result);
