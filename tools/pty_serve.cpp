// The answering loop on the master side of a pseudo-terminal.
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "tools/pty.h"

namespace {

constexpr int kWriteStallMs = 1000;  // a client that reads nothing loses the reply

bool StopRequested(int stopFd, int waitMs) {
  pollfd p{stopFd, POLLIN, 0};
  return poll(&p, 1, waitMs) > 0;
}

// Returns false when a stop was requested meanwhile.
bool WriteReply(int master, int stopFd, const std::string& reply) {
  size_t done = 0;
  while (done < reply.size()) {
    const ssize_t put = write(master, reply.data() + done, reply.size() - done);
    if (put > 0) {
      done += static_cast<size_t>(put);
      continue;
    }
    if (put < 0 && errno != EAGAIN && errno != EINTR) return true;
    pollfd p[2] = {{stopFd, POLLIN, 0}, {master, POLLOUT, 0}};
    const int ready = poll(p, 2, kWriteStallMs);
    if (ready > 0 && p[0].revents) return false;
    if (ready == 0) return true;
  }
  return true;
}

}  // namespace

int ServePseudoTerminal(const PseudoTerminal& pty, int stopFd, unsigned delayMs,
                        const PtyResponder& responder) {
  uint8_t buffer[256];
  for (;;) {
    pollfd p[2] = {{stopFd, POLLIN, 0}, {pty.master, POLLIN, 0}};
    if (poll(p, 2, -1) < 0) {
      if (errno == EINTR) continue;
      return 0;
    }
    if (p[0].revents) return 1;
    if (!(p[1].revents & POLLIN)) {
      if (p[1].revents & (POLLERR | POLLHUP | POLLNVAL)) return 0;
      continue;
    }
    const ssize_t got = read(pty.master, buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      return 0;
    }
    for (const std::string& reply :
         responder.respond(responder.context, std::span(buffer, static_cast<size_t>(got)))) {
      if (delayMs > 0 && StopRequested(stopFd, static_cast<int>(delayMs))) return 1;
      if (!WriteReply(pty.master, stopFd, reply)) return 1;
    }
  }
}
