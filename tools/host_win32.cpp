// The host on Windows: standard output in binary mode, the console switched
// to ANSI escape sequences for the progress lines, and the local time with
// its offset worked out by hand (the C runtime's %z gives the zone's name),
// and Ctrl+C caught by a console control handler.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "tools/host.h"

namespace {

std::atomic<bool> interrupted{false};

// Runs on a thread of its own; TRUE keeps the process from ending at once.
BOOL WINAPI OnConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}

}  // namespace

std::string LastErrorText() {
  const DWORD error = GetLastError();
  char text[256];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                        text[length - 1] == '.' || text[length - 1] == ' '))
    --length;
  if (length) return std::string(text, length);
  return "system error " + std::to_string(error);
}

void KeepStdoutBytes() {
  _setmode(_fileno(stdout), _O_BINARY);
}

bool ProgressTerminal(size_t& columns) {
  const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(error, &mode)) return false;
  // Consoles before Windows 10 refuse the mode; they get no progress lines.
  if (!(mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) &&
      !SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING))
    return false;
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (GetConsoleScreenBufferInfo(error, &info) && info.srWindow.Right > info.srWindow.Left)
    columns = static_cast<size_t>(info.srWindow.Right - info.srWindow.Left + 1);
  return true;
}

std::string LocalTimeText(std::time_t time) {
  std::tm local{};
  localtime_s(&local, &time);
  // The local fields read as UTC exceed the moment by the offset.
  std::tm fields = local;
  const long offset = static_cast<long>(_mkgmtime(&fields) - time) / 60;
  char text[40];
  const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
  std::snprintf(text + length, sizeof text - length, "%c%02ld%02ld", offset < 0 ? '-' : '+',
                std::labs(offset) / 60, std::labs(offset) % 60);
  return text;
}

void CatchInterrupts() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool Interrupted() {
  return interrupted;
}
