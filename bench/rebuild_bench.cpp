// Times the rebuild of the report after a sheet closes: the program's
// RebuildReport and repaint in its real main window, against a rich edit of
// the report view's size, styles and font that takes the same report in one
// piece and repaints, in the same process.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/reference_edit.h"
#include "shell/main_window.h"
#include "shell/report_view.h"

namespace {

double Now() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Drain() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

// Milliseconds of each of `runs` calls of `step`, each followed by the paint it asks for.
std::vector<double> Time(int runs, HWND window, void (*step)(HWND)) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    Drain();
    const double start = Now();
    step(window);
    UpdateWindow(window);
    times.push_back(Now() - start);
  }
  std::sort(times.begin(), times.end());
  return times;
}

void Rebuild(HWND) {
  RebuildReport();
}

void SetReport(HWND edit) {
  SetWindowTextA(edit, ReferenceReport().c_str());
}

// A top-level window holding a reference edit the size of the program's report view.
HWND ReferenceEdit(HINSTANCE instance) {
  RECT view{};
  GetWindowRect(reportEdit, &view);
  const int width = view.right - view.left, height = view.bottom - view.top;
  return CreateReferenceEdit(
      CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, view.left, view.top, width, height,
                      nullptr, nullptr, instance, nullptr),
      width, height);
}

void Print(const char* what, const std::vector<double>& t) {
  std::printf("%s %.1f %.1f %.1f\n", what, t[t.size() / 2], t.front(), t.back());
}

}  // namespace

// rebuild_bench RUNS: prints median, minimum and maximum milliseconds of each
// and the ratio of the medians.
int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterWindowClasses(instance) || !CreateMainWindow(instance, SW_SHOWNORMAL)) return 1;
  const std::vector<double> rebuild = Time(runs, mainWindow, Rebuild);
  const std::vector<double> reference = Time(runs, ReferenceEdit(instance), SetReport);
  Print("rebuild:  ", rebuild);
  Print("reference:", reference);
  std::printf("ratio:     %.2f\n", rebuild[runs / 2] / reference[runs / 2]);
  return 0;
}
