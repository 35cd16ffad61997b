// The main window's commands and its closing.
#pragma once

#include <windows.h>

// Runs the menu, toolbar or accelerator command `command` to its end.
void RunCommand(HWND window, int command);

// Makes the commands that use the port (Read scanner settings, Download
// settings) available or not, in the menu and on the toolbar.
void EnablePortCommands(HWND window, bool enabled);

// Closes the main window, after offering to save unsaved changes; the window
// stays open when the operator cancels or the save fails.
void CloseMainWindow(HWND window);
