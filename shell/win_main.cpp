// Program entry: registers the classes, shows the main window, opens the
// settings file named on the command line if any, and runs the message loop.
#include <windows.h>

#include <cstdlib>

#include "shell/commands.h"
#include "shell/main_window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  if (!RegisterWindowClasses(instance)) return 0;
  HWND window = CreateMainWindow(instance, showState);
  if (!window) return 0;
  // A double-click on a settings file starts the program with its path, in
  // quotes that the runtime's argument parsing takes off; further arguments
  // are ignored.
  if (__argc > 1) OpenNamedSettings(window, __argv[1]);
  return RunMessageLoop(instance, window);
}
