// Finding the program's windows and reading its report across processes.
#include "tests/gui/program_window.h"

namespace {

constexpr int kPolls = 600;  // of 50 ms: 30 seconds
constexpr UINT kReplyMs = 5000;

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
  for (int poll = 0; poll < kPolls && !search.found; ++poll) {
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(50);
  }
  return search.found;
}

std::string ShownReport(HWND window) {
  Search view{"RICHEDIT", 0};
  EnumChildWindows(window, Match, reinterpret_cast<LPARAM>(&view));
  // GetWindowText would read another process's control's caption, not its text.
  DWORD_PTR length = 0;
  if (!view.found ||
      !SendMessageTimeoutA(view.found, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &length))
    return "";
  std::string text(length + 1, '\0');
  if (!SendMessageTimeoutA(view.found, WM_GETTEXT, text.size(),
                           reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, kReplyMs,
                           &length))
    return "";
  text.resize(length);
  return text;
}

std::string WaitForReport(HWND window, std::string_view expected) {
  std::string shown = ShownReport(window);
  for (int poll = 0; poll < kPolls && shown != expected; ++poll) {
    Sleep(50);
    shown = ShownReport(window);
  }
  return shown;
}
