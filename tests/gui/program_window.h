// The program's main window seen from another process, as a user sees it:
// found among the top-level windows, its report read through messages.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The first visible top-level window of `className` belonging to `process`
// (0: to any process), waited for within a bound that only catches a hang;
// null when none appears.
HWND WaitForWindow(const char* className, DWORD process);

// The text of the report view inside `window`.
std::string ShownReport(HWND window);

// Waits, within the same bound, until the report inside `window` reads
// `expected`; returns the last text read.
std::string WaitForReport(HWND window, std::string_view expected);
