// The main window's toolbar and the tooltips of its buttons.
#pragma once

#include <windows.h>

// Creates the toolbar with its nine buttons. Returns the toolbar, or null.
HWND CreateMainToolbar(HWND parent);

// Creates a tooltip window with one tool per button of `toolbar` and attaches
// it to the toolbar. Returns the tooltip window, or null.
HWND CreateToolbarTooltips(HWND owner, HWND toolbar);
