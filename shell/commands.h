// The main window's commands and its closing.
#pragma once

#include <windows.h>

// Runs the menu, toolbar or accelerator command `command` to its end.
void RunCommand(HWND window, int command);

// Opens the settings file `name` as Open does once its dialog has given a
// path, for a file the program is started on: the report shows it and Save
// writes to it. A file that cannot be opened gets Open's error and leaves the
// image as it was.
void OpenNamedSettings(HWND window, const char* name);

// Makes the commands that use the port (Read scanner settings, Download
// settings) available or not, in the menu and on the toolbar.
void EnablePortCommands(HWND window, bool enabled);

// Closes the main window, after offering to save unsaved changes; the window
// stays open when the operator cancels or the save fails.
void CloseMainWindow(HWND window);
