// The "COM Port Properties" dialog: the five serial-line choices of PortSettings.
#pragma once

#include <windows.h>

// Shows the dialog modally over `owner`. OK stores the five choices into
// portSettings and returns 1; Cancel returns 0 and changes nothing.
int RunComPortDialog(HWND owner);
