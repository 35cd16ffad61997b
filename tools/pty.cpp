// Opening and closing a raw pseudo-terminal pair.
#include "tools/pty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

int OpenPseudoTerminal(PseudoTerminal& pty) {
  PseudoTerminal p;
  p.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (p.master < 0) return 0;
  char name[128];
  termios t{};
  const bool ready =
      grantpt(p.master) == 0 && unlockpt(p.master) == 0 &&
      ptsname_r(p.master, name, sizeof name) == 0 && fcntl(p.master, F_SETFL, O_NONBLOCK) == 0 &&
      (p.slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC)) >= 0 && tcgetattr(p.slave, &t) == 0;
  if (ready) {
    // No echo and no line editing, so the bytes pass both ways unchanged.
    cfmakeraw(&t);
    if (tcsetattr(p.slave, TCSANOW, &t) == 0) {
      p.path = name;
      pty = p;
      return 1;
    }
  }
  const int error = errno;
  ClosePseudoTerminal(p);
  errno = error;
  return 0;
}

void ClosePseudoTerminal(PseudoTerminal& pty) {
  if (pty.slave >= 0) close(pty.slave);
  if (pty.master >= 0) close(pty.master);
  pty = PseudoTerminal{};
}
