// The test peer: a thread answering on the pseudo-terminal, and what it heard.
#include "tests/link/link_fixture.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

Lines LinkTest::Respond(void* self, std::span<const uint8_t> received) {
  LinkTest& t = *static_cast<LinkTest*>(self);
  Lines replies;
  for (const uint8_t c : received) {
    t.wire_ += static_cast<char>(c);
    t.line_ += static_cast<char>(c);
    if (c != '\r') continue;
    const std::string line = std::exchange(t.line_, "");
    const auto rule = std::find_if(t.rules.begin(), t.rules.end(), [&line](const PeerRule& r) {
      return r.times > 0 && line.starts_with(r.prefix);
    });
    const Lines answer =
        rule != t.rules.end()
            ? (--rule->times, rule->replies)
            : FeedSimulator(t.simulator,
                            {reinterpret_cast<const uint8_t*>(line.data()), line.size()});
    replies.insert(replies.end(), answer.begin(), answer.end());
  }
  return replies;
}

void LinkTest::StartPeer() {
  ASSERT_TRUE(OpenPseudoTerminal(pty) && pipe2(stop_, O_CLOEXEC) == 0);
  thread_ = std::thread([this] { ServePseudoTerminal(pty, stop_[0], delayMs, {this, Respond}); });
}

void LinkTest::Connect(const PortSettings& settings) {
  ASSERT_NO_FATAL_FAILURE(StartPeer());
  ASSERT_EQ(OpenScannerPort(port, pty.path.c_str(), settings), PortOpenResult::Opened)
      << PortErrorText();
}

void LinkTest::StopPeer() {
  if (thread_.joinable()) {
    [[maybe_unused]] const ssize_t ignored = write(stop_[1], "", 1);
    thread_.join();
  }
  for (int& fd : stop_) fd = fd >= 0 ? close(fd), -1 : -1;
  ClosePseudoTerminal(pty);
}

Lines LinkTest::Wire() {
  StopPeer();
  Lines lines;
  for (size_t at = 0, end; at < wire_.size(); at = end + 1) {
    end = std::min(wire_.find('\r', at), wire_.size() - 1);
    lines.push_back(wire_.substr(at, end + 1 - at));
  }
  return lines;
}

void LinkTest::TearDown() {
  ClosePort(port);
  StopPeer();
  replyDeadlines = kReplyDeadlines;
}
