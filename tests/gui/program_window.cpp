// Finding the program's windows and reading its report across processes.
#include "tests/gui/program_window.h"

namespace {

constexpr int kPolls = 600;  // of 50 ms: 30 seconds
constexpr UINT kReplyMs = 5000;
constexpr size_t kLongestReport = 1 << 16;  // far beyond any report; a longer one reads cut short

struct Search {
  const char* className;
  DWORD process;
  HWND found = nullptr;
};

// Of a top-level window, or of a child window when `search.process` is 0.
BOOL CALLBACK Match(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<Search*>(search);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (lstrcmpiA(name, s->className) == 0 && (!s->process || process == s->process) &&
      IsWindowVisible(window))
    s->found = window;
  return !s->found;
}

}  // namespace

HWND WaitForWindow(const char* className, DWORD process) {
  Search search{className, process};
  // EnumWindows returns zero once Match has found the window.
  for (int poll = 0; poll < kPolls && EnumWindows(Match, reinterpret_cast<LPARAM>(&search)); ++poll)
    Sleep(50);
  return search.found;
}

std::string ShownReport(HWND window) {
  Search view{"RICHEDIT", 0};
  EnumChildWindows(window, Match, reinterpret_cast<LPARAM>(&view));
  // GetWindowText would read another process's control's caption, not its text.
  std::string text(kLongestReport, '\0');
  DWORD_PTR length = 0;
  if (!view.found || !SendMessageTimeoutA(view.found, WM_GETTEXT, text.size(),
                                          reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                          kReplyMs, &length))
    return "";
  text.resize(length);
  return text;
}

std::string WaitForReport(HWND window, std::string_view expected) {
  std::string shown;
  for (int poll = 0; poll < kPolls && (shown = ShownReport(window)) != expected; ++poll) Sleep(50);
  return shown;
}
