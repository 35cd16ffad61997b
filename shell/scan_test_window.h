// The "Test scanning" window: the scans that arrive, one row each, from the
// scanner's serial port or typed by a keyboard-wedge scanner into its box.
#pragma once

#include <windows.h>

// The window while it is open; null otherwise.
extern HWND scanTestWindow;

// Opens the window over the main window `owner`, or brings it forward.
void OpenScanTestWindow(HWND owner);

// Lets the window handle its keyboard messages; true when `message` was its.
bool ScanTestMessage(MSG* message);
