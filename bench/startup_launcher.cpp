// Times how long a program takes from its start to a visible window showing
// a filled rich-edit control: the program's main window with its report.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Search {
  DWORD process;
  bool shown = false;
};

BOOL CALLBACK HasFilledRichEdit(HWND child, LPARAM search) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  // GetWindowTextLength would read another process's control's caption, not its text.
  DWORD_PTR length = 0;
  if (lstrcmpiA(name, "RICHEDIT") == 0 && IsWindowVisible(child) &&
      SendMessageTimeoutA(child, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &length) &&
      length > 0)
    reinterpret_cast<Search*>(search)->shown = true;
  return TRUE;
}

BOOL CALLBACK FindShownWindow(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<Search*>(search);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == s->process && IsWindowVisible(window))
    EnumChildWindows(window, HasFilledRichEdit, search);
  return !s->shown;
}

// Milliseconds from CreateProcess to the shown report; negative on failure.
double TimeOneStart(char* commandLine) {
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  Search search{process.dwProcessId};
  double elapsed = -1;
  // Every 5 ms: each look asks the window server, which the starting
  // program needs itself, so looking more often would slow it down.
  for (int looks = 0; looks < 4000 && elapsed < 0; ++looks) {
    Sleep(5);
    EnumWindows(FindShownWindow, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.shown)
      elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Started at once after the last one ended, about one start in three ran
  // two to three times slower from its first DLL on, while Wine and the X
  // server were still busy with the ended one; an operator starts on a
  // settled machine.
  Sleep(300);
  return elapsed;
}

struct Figures {
  double median, minimum, maximum;
};

Figures Summary(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front(), times.back()};
}

}  // namespace

// startup_launcher PROGRAM REFERENCE RUNS: starts the two in turn, RUNS times
// each, so that both meet the same load; prints median, minimum and maximum
// milliseconds of each and the ratio of the medians.
int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: startup_launcher PROGRAM REFERENCE RUNS\n");
    return 2;
  }
  std::vector<double> times[2];
  for (int run = 0; run < std::atoi(argv[3]); ++run) {
    for (int which = 0; which < 2; ++which) {
      char commandLine[MAX_PATH + 2];
      lstrcpynA(commandLine, argv[1 + which], sizeof commandLine);
      const double ms = TimeOneStart(commandLine);
      if (ms < 0) {
        std::fprintf(stderr, "startup_launcher: %s showed no report\n", argv[1 + which]);
        return 1;
      }
      times[which].push_back(ms);
    }
  }
  const Figures program = Summary(times[0]), reference = Summary(times[1]);
  std::printf("program:   %.1f %.1f %.1f\nreference: %.1f %.1f %.1f\nratio:     %.2f\n",
              program.median, program.minimum, program.maximum, reference.median, reference.minimum,
              reference.maximum, program.median / reference.median);
  return 0;
}
