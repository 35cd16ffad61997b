// A peer for the link on a pseudo-terminal, served by a thread of the test:
// the simulated scanner, or a script that answers each command line.
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "link/simulator.h"
#include "tools/pty.h"

struct PtyPeer {
  PseudoTerminal pty;
  int stopPipe[2] = {-1, -1};
  std::thread thread;
  unsigned delayMs = 0;
  Simulator simulator;
  // When set, answers each complete command line (CR included) instead of the simulator.
  std::function<std::vector<std::string>(const std::string& line)> script;
  std::string partialLine;
  std::string wire;  // every byte the host sent; read it after StopPeer
};

// Opens the pseudo-terminal and starts answering. Returns false when no
// pseudo-terminal can be had.
bool StartPeer(PtyPeer& peer);
void StopPeer(PtyPeer& peer);

// "A\rB\r" -> {"A\r", "B\r"}
std::vector<std::string> SplitLines(const std::string& wire);
