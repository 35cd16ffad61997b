// The test peer's thread around the simulator's answering loop.
#include "tests/link/pty_peer.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

std::vector<std::string> Respond(void* context, std::span<const uint8_t> received) {
  PtyPeer& peer = *static_cast<PtyPeer*>(context);
  const std::string bytes(received.begin(), received.end());
  peer.wire += bytes;
  if (!peer.script) return FeedSimulator(peer.simulator, received);
  std::vector<std::string> replies;
  for (char c : bytes) {
    peer.partialLine += c;
    if (c != '\r') continue;
    for (std::string& reply : peer.script(peer.partialLine)) replies.push_back(std::move(reply));
    peer.partialLine.clear();
  }
  return replies;
}

}  // namespace

bool StartPeer(PtyPeer& peer) {
  if (!OpenPseudoTerminal(peer.pty) || pipe2(peer.stopPipe, O_CLOEXEC) != 0) return false;
  peer.thread = std::thread([&peer] {
    ServePseudoTerminal(peer.pty, peer.stopPipe[0], peer.delayMs, {&peer, Respond});
  });
  return true;
}

void StopPeer(PtyPeer& peer) {
  if (peer.thread.joinable()) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(peer.stopPipe[1], &byte, 1);
    peer.thread.join();
  }
  for (int& fd : peer.stopPipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
  ClosePseudoTerminal(peer.pty);
}

std::vector<std::string> SplitLines(const std::string& wire) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : wire) {
    line += c;
    if (c == '\r') lines.push_back(std::move(line)), line.clear();
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}
