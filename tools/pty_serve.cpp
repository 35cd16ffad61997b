// The answering loop on the master side of a pseudo-terminal.
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "tools/pty.h"

namespace {

constexpr int kWriteStallMs = 1000;  // a client that reads nothing loses the reply
// Unasked bytes that come together are sent this far apart, so that a reader
// that cuts them at pauses, as at the ends of scans, sees each on its own.
constexpr auto kUnaskedGap = std::chrono::milliseconds(100);

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
  int unaskedFd = responder.unasked ? responder.unaskedFd : -1;
  auto nextUnasked = std::chrono::steady_clock::now();
  for (;;) {
    pollfd p[3] = {{stopFd, POLLIN, 0}, {pty.master, POLLIN, 0}, {unaskedFd, POLLIN, 0}};
    if (poll(p, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return 0;
    }
    if (p[0].revents) return 1;
    if (p[2].revents) {
      std::vector<std::string> send;
      if (!responder.unasked(responder.context, send)) unaskedFd = -1;
      for (const std::string& bytes : send) {
        const auto wait = nextUnasked - std::chrono::steady_clock::now();
        const auto waitMs = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
        if (waitMs > 0 && StopRequested(stopFd, static_cast<int>(waitMs))) return 1;
        if (!WriteReply(pty.master, stopFd, bytes)) return 1;
        nextUnasked = std::chrono::steady_clock::now() + kUnaskedGap;
      }
    }
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
