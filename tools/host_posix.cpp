// The host on POSIX: standard output as it is, isatty and the terminal size,
// localtime_r, SIGINT and SIGTERM caught.
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "tools/host.h"

namespace {

volatile sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
}

}  // namespace

void KeepStdoutBytes() {}

std::string LastErrorText() {
  return std::strerror(errno);
}

bool ProgressTerminal(size_t& columns) {
  if (!isatty(STDERR_FILENO)) return false;
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1) columns = size.ws_col;
  return true;
}

std::string LocalTimeText(std::time_t time) {
  std::tm local{};
  localtime_r(&time, &local);
  char text[40];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  return text;
}

void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted() {
  return interrupted != 0;
}
