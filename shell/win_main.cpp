// Program entry: registers the classes, shows the main window and runs the message loop.
#include <windows.h>

#include "shell/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  if (!RegisterWindowClasses(instance)) return 0;
  HWND window = CreateMainWindow(instance, showState);
  if (!window) return 0;
  return RunMessageLoop(instance, window);
}
