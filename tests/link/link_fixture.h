// A scanner port opened on a pseudo-terminal whose other side a thread of the
// test serves: the simulated scanner, except where a rule answers instead.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "link/connection.h"
#include "link/simulator.h"
#include "link/transfer.h"
#include "tools/pty.h"

using Lines = std::vector<std::string>;

// Answers the next `times` command lines that start with `prefix` with
// `replies`, written one after the other.
struct PeerRule {
  std::string prefix;
  Lines replies;
  int times = 1;
};

class LinkTest : public ::testing::Test {
 protected:
  void TearDown() override;
  void StartPeer();  // its device is pty.path
  void Connect(const PortSettings& settings = {});
  Lines Wire();  // stops the peer and returns the command lines it received

  Simulator simulator;
  std::vector<PeerRule> rules;
  unsigned delayMs = 0;  // before each reply
  PseudoTerminal pty;
  Port port;

 private:
  static Lines Respond(void* self, std::span<const uint8_t> received);
  void StopPeer();
  std::string wire_, line_;
  int stop_[2] = {-1, -1};
  std::thread thread_;
};
