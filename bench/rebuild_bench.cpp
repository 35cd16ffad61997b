// Times the rebuild of the report after a sheet closes: the program's
// RebuildReport and repaint in its real main window, against a rich edit of
// the report view's size, styles and font that takes the same report in one
// piece and repaints, in the same process.
#include <windows.h>

#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "report/settings_report.h"
#include "settings/factory_defaults.h"
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
  static const std::string report = ReportText(FactoryImage(), InterfaceKind::KeyboardWedge);
  SetWindowTextA(edit, report.c_str());
}

// A top-level window holding a rich edit the size of the program's report view.
HWND ReferenceEdit(HINSTANCE instance) {
  RECT view{};
  GetWindowRect(reportEdit, &view);
  HWND frame = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, view.left, view.top,
                               view.right - view.left, view.bottom - view.top, nullptr, nullptr,
                               instance, nullptr);
  HWND edit = CreateWindowExA(0, "RICHEDIT", "",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                  ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                              0, 0, view.right - view.left, view.bottom - view.top, frame, nullptr,
                              instance, nullptr);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_BOLD;
  format.dwEffects = CFE_AUTOCOLOR;
  format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(format.szFaceName, "Courier", LF_FACESIZE);
  SendMessageA(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(edit, EM_EXLIMITTEXT, 0, 0xFFFFF);
  return edit;
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
