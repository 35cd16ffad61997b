// The "COM Port Properties" dialog: the five serial-line choices of PortSettings.
#pragma once

#include <windows.h>

#include "ui/binding.h"

// The dialog's table, bound to PortSettings.
extern const DialogTable kComPortTable;

// Shows the dialog modally over `owner`. OK stores the five choices into
// portSettings and returns 1; Cancel returns 0 and changes nothing.
int RunComPortDialog(HWND owner);
