// The main window: classes, creation, layout, menu help and the message loop.
#pragma once

#include <windows.h>

inline constexpr const char* kMainClass = "SKELV";
inline constexpr const char* kMainTitle = "  Tavrenlok 4860 Scanner Manager";

// The main window and its controls; null while there is no main window.
extern HWND mainWindow;
extern HWND toolbarWindow;
extern HWND statusWindow;
extern HWND clientWindow;

// Registers "SKELV" and "Client". Returns 1, or 0 when a class cannot be registered.
int RegisterWindowClasses(HINSTANCE instance);

// Creates and shows the main window; null when it cannot be created.
HWND CreateMainWindow(HINSTANCE instance, int showState);

// Runs the message loop with the "SKELV" accelerators (not for the test
// window's messages) until the quit message; returns its exit code.
int RunMessageLoop(HINSTANCE instance, HWND window);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
