// skelv simulate: its options, and the back end that serves them (a
// pseudo-terminal on POSIX; Windows has none and says so).
#pragma once

#include <string>

#include "link/simulator.h"

struct SimulateOptions {
  SimulatorOptions scanner;
  std::string reply = "ack";  // one of kReplyChoices
  std::string image;
  std::string store;
  std::string log;  // each command received is appended as a line
  unsigned delayMs = 0;
  std::string baud;  // empty: answers at any rate
};

inline constexpr const char* kReplyChoices[] = {"ack", "done", "nak", "none"};
inline constexpr BlockReply kReplies[] = {BlockReply::Ack, BlockReply::Done, BlockReply::Nak,
                                          BlockReply::None};

// Prints the device a client opens, then answers until SIGINT or SIGTERM.
// Returns the exit status.
int ServeSimulator(SimulateOptions& options);
