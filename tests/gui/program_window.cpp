// Finding the program's windows and reading its report across processes.
#include "tests/gui/program_window.h"

#include <cstring>

namespace {

constexpr DWORD kPollMs = 50;
constexpr int kPolls = 600;  // 30 seconds
constexpr UINT kReplyMs = 5000;

struct Search {
  const char* className;
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK Match(HWND window, LPARAM search) {
  auto* s = reinterpret_cast<Search*>(search);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (std::strcmp(name, s->className) == 0 && (!s->process || process == s->process) &&
      IsWindowVisible(window))
    s->found = window;
  return !s->found;
}

BOOL CALLBACK FindRichEdit(HWND child, LPARAM found) {
  char name[32] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "RICHEDIT") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

}  // namespace

HWND WaitForWindow(const char* className, DWORD process) {
  Search search{className, process};
  for (int poll = 0; poll < kPolls && !search.found; ++poll) {
    EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(kPollMs);
  }
  return search.found;
}

std::string ShownReport(HWND window) {
  HWND view = nullptr;
  EnumChildWindows(window, FindRichEdit, reinterpret_cast<LPARAM>(&view));
  // GetWindowText would read another process's control's caption, not its text.
  DWORD_PTR length = 0;
  if (!view ||
      !SendMessageTimeoutA(view, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kReplyMs, &length))
    return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(view, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, kReplyMs, &copied))
    return "";
  text.resize(copied);
  return text;
}

std::string WaitForReport(HWND window, std::string_view expected) {
  std::string shown = ShownReport(window);
  for (int poll = 0; poll < kPolls && shown != expected; ++poll) {
    Sleep(kPollMs);
    shown = ShownReport(window);
  }
  return shown;
}
