// The "Scanner" page of the "Reader Settings" sheet.
#pragma once

#include <windows.h>

INT_PTR CALLBACK ScannerPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
