// The port on POSIX terminals (termios): raw mode, exclusive use, non-blocking
// reads, write time-outs kept by the link itself.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "link/port.h"

namespace {

thread_local char errorText[160] = "";  // per thread, as errno is

int Fail(int error) {
  std::snprintf(errorText, sizeof errorText, "%s", std::strerror(error));
  return 0;
}

int Fd(const Port& port) { return static_cast<int>(port.handle); }

struct BaudSpeed {
  uint32_t baud;
  speed_t speed;
};
constexpr BaudSpeed kSpeeds[] = {{38400, B38400}, {19200, B19200}, {9600, B9600},
                                 {4800, B4800},   {2400, B2400},   {1200, B1200}};

// Modem-line requests that a pseudo-terminal or a plain driver does not
// support are not applicable rather than failures.
bool ModemLinesNotApplicable(int error) {
  return error == ENOTTY || error == EINVAL || error == ENOTSUP;
}

int SetModemLine(int fd, int line, bool on) {
  if (ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0) return 1;
  return ModemLinesNotApplicable(errno) ? 1 : Fail(errno);
}

// Checked after applying the line. Character size and parity are not: a
// pseudo-terminal has no framing and always reports 8 bits without parity.
constexpr tcflag_t kCheckedControlFlags = CSTOPB | CRTSCTS;
constexpr tcflag_t kCheckedInputFlags = IXON | IXOFF;

}  // namespace

int OpenPort(Port& port, const char* device) {
  const int fd = open(device, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(errno);
  // TIOCEXCL keeps other users out, but not root; the lock also keeps out
  // every other process that opens the port through this layer.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno == EWOULDBLOCK ? EBUSY : errno;
    close(fd);
    return Fail(error);
  }
  if (ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) {
    const int error = errno;
    close(fd);
    return Fail(error);
  }
  port = Port{};
  port.handle = fd;
  return 1;
}

int SetPortQueues(Port&, uint32_t, uint32_t) { return 1; }

int ApplyLineState(Port& port, const LineState& line) {
  const int fd = Fd(port);
  termios t{};
  if (tcgetattr(fd, &t) != 0) return Fail(errno);
  speed_t speed = B0;
  for (const BaudSpeed& s : kSpeeds)
    if (s.baud == line.baudRate) speed = s.speed;
  if (speed == B0 || (line.byteSize != 7 && line.byteSize != 8)) return Fail(EINVAL);

  cfmakeraw(&t);
  t.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
  if (line.parityCheck) t.c_iflag |= INPCK;
  if (line.outX) t.c_iflag |= IXON;
  if (line.inX) t.c_iflag |= IXOFF;
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
  t.c_cflag |= CREAD | CLOCAL | (line.byteSize == 7 ? CS7 : CS8);
  if (line.parity != LineParity::None) t.c_cflag |= PARENB;
  if (line.parity == LineParity::Odd) t.c_cflag |= PARODD;
  // Linux has no CTS-only output flow control; CRTSCTS also lowers RTS when
  // its input buffer is nearly full, which replies this short never reach.
  if (line.outxCtsFlow) t.c_cflag |= CRTSCTS;
  t.c_cc[VSTART] = static_cast<cc_t>(line.xonChar);
  t.c_cc[VSTOP] = static_cast<cc_t>(line.xoffChar);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) return Fail(errno);
  if (tcsetattr(fd, TCSANOW, &t) != 0) return Fail(errno);

  // tcsetattr succeeds when any part was applied: check that all of it was.
  termios applied{};
  if (tcgetattr(fd, &applied) != 0) return Fail(errno);
  if ((applied.c_cflag & kCheckedControlFlags) != (t.c_cflag & kCheckedControlFlags) ||
      (applied.c_iflag & kCheckedInputFlags) != (t.c_iflag & kCheckedInputFlags) ||
      cfgetispeed(&applied) != speed || cfgetospeed(&applied) != speed)
    return Fail(EINVAL);

  if (!SetModemLine(fd, TIOCM_DTR, line.dtrControl != DtrControl::Disable)) return 0;
  return SetModemLine(fd, TIOCM_RTS, line.rtsControl == RtsControl::Enable);
}

int ReadLineState(Port& port, LineState& line) {
  termios t{};
  if (tcgetattr(Fd(port), &t) != 0) return Fail(errno);
  line.baudRate = 0;
  for (const BaudSpeed& s : kSpeeds)
    if (s.speed == cfgetospeed(&t)) line.baudRate = s.baud;
  const tcflag_t size = t.c_cflag & CSIZE;
  line.byteSize = size == CS5 ? 5 : size == CS6 ? 6 : size == CS7 ? 7 : 8;
  line.parity = !(t.c_cflag & PARENB)  ? LineParity::None
                : (t.c_cflag & PARODD) ? LineParity::Odd
                                       : LineParity::Even;
  return 1;
}

int ApplyLinkTimeouts(Port& port, const LinkTimeouts& timeouts) {
  const bool readsReturnAtOnce = timeouts.readIntervalTimeout == 0xFFFFFFFF &&
                                 timeouts.readTotalTimeoutMultiplier == 0 &&
                                 timeouts.readTotalTimeoutConstant == 0;
  if (!readsReturnAtOnce) return Fail(EINVAL);
  termios t{};
  if (tcgetattr(Fd(port), &t) != 0) return Fail(errno);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (tcsetattr(Fd(port), TCSANOW, &t) != 0) return Fail(errno);
  port.writeTimeoutPerByte = timeouts.writeTotalTimeoutMultiplier;
  port.writeTimeoutConstant = timeouts.writeTotalTimeoutConstant;
  return 1;
}

long ReadPort(Port& port, uint8_t* buffer, size_t capacity) {
  const ssize_t got = read(Fd(port), buffer, capacity);
  if (got >= 0) return static_cast<long>(got);
  if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) return 0;
  Fail(errno);
  return -1;
}

int WritePort(Port& port, const uint8_t* data, size_t size) {
  const uint64_t limit = uint64_t{port.writeTimeoutPerByte} * size + port.writeTimeoutConstant;
  const uint32_t start = TickCount();
  size_t done = 0;
  while (done < size) {
    const ssize_t put = write(Fd(port), data + done, size - done);
    if (put > 0) {
      done += static_cast<size_t>(put);
      continue;
    }
    if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return Fail(errno);
    int wait = -1;
    if (limit != 0) {
      const uint32_t spent = TickCount() - start;
      if (spent >= limit) return Fail(ETIMEDOUT);
      wait = static_cast<int>(limit - spent);
    }
    pollfd p{Fd(port), POLLOUT, 0};
    if (poll(&p, 1, wait) < 0 && errno != EINTR) return Fail(errno);
  }
  return 1;
}

int WaitForPortInput(Port& port, uint32_t milliseconds) {
  pollfd p{Fd(port), POLLIN, 0};
  const int ready = poll(&p, 1, static_cast<int>(milliseconds > 60000 ? 60000 : milliseconds));
  if (ready < 0) {
    if (errno == EINTR) return 0;
    Fail(errno);
    return -1;
  }
  if (ready > 0 && !(p.revents & POLLIN) && (p.revents & (POLLERR | POLLHUP | POLLNVAL))) {
    Fail(EIO);
    return -1;
  }
  return 0;
}

void PurgePortInput(Port& port) { tcflush(Fd(port), TCIFLUSH); }

void ClosePort(Port& port) {
  if (port.handle < 0) return;
  // The exclusive mark outlives this descriptor while others hold the device open.
  ioctl(Fd(port), TIOCNXCL);
  close(Fd(port));
  port = Port{};
}

uint32_t TickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000 +
                               static_cast<uint64_t>(now.tv_nsec) / 1000000);
}

const char* PortErrorText() { return errorText; }
