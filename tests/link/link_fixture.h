// A scanner port opened on a test peer, with a record of the progress calls.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/connection.h"
#include "link/transfer.h"
#include "tests/link/pty_peer.h"

// Deadlines for the tests that wait one out; exchanges that succeed keep the
// product's deadlines, so a busy machine cannot fail them.
inline constexpr ReplyDeadlines kShortDeadlines{300, 300};

struct ProgressLog {
  std::vector<std::string> events;
};
TransferProgress Recorder(ProgressLog& log);

class LinkTest : public ::testing::Test {
 protected:
  void TearDown() override;
  // Starts the peer and opens its device as the scanner port.
  void Connect(const PortSettings& settings = PortSettings{});
  void UseSimulator(const SimulatorOptions& options, const SettingsImage& image) {
    peer.simulator = MakeSimulator(options, image);
  }
  // Stops the peer and returns the command lines it received.
  std::vector<std::string> Wire();

  PtyPeer peer;
  Port port;
};
