// report_probe EXPECTED: waits for the program's main window, writes the
// report it shows to standard output once that reads as the file EXPECTED
// (or the last one read, when it never does), then closes the window. Exit
// status 0 when the report matched and the window closed, 1 otherwise.
#include <cstdio>

#include "shell/main_window.h"
#include "tests/gui/program_window.h"
#include "tests/test_support.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: report_probe EXPECTED\n", stderr);
    return 1;
  }
  const std::vector<uint8_t> file = ReadWholeFile(argv[1]);
  const std::string expected(file.begin(), file.end());
  HWND window = WaitForWindow(kMainClass, 0);
  if (!window) {
    std::fputs("report_probe: no main window appeared\n", stderr);
    return 1;
  }
  const std::string shown = WaitForReport(window, expected);
  std::fwrite(shown.data(), 1, shown.size(), stdout);
  PostMessageA(window, WM_CLOSE, 0, 0);
  for (int poll = 0; poll < 600 && IsWindow(window); ++poll) Sleep(50);
  if (IsWindow(window)) std::fputs("report_probe: the main window stayed open\n", stderr);
  return shown == expected && !IsWindow(window) ? 0 : 1;
}
