// The main window's commands and its closing.
#pragma once

#include <windows.h>

// Runs the menu, toolbar or accelerator command `command` to its end.
void RunCommand(HWND window, int command);

// Closes the main window, after offering to save unsaved changes; the window
// stays open when the operator cancels or the save fails.
void CloseMainWindow(HWND window);
