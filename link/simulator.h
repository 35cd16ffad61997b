// A scanner on the far end of the line, as a state machine: bytes in, reply
// lines out. Serves the companion's simulator and the tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/settings_image.h"

enum class BlockReply { Ack, Done, Nak, None };

struct SimulatorOptions {
  std::string version = "Ver:2.00";  // the reply to "VERSION\r"
  bool answersVersion = true;
  BlockReply blockReply = BlockReply::Ack;  // to download block commands
  bool lowercase = false;                   // read-back digits in lower case
  int stallBlock = -1;                      // read-back block left unanswered
  bool keepsImage = false;                  // acknowledges "UPDATE\r" but keeps its image
};

struct Simulator {
  SimulatorOptions options;
  SettingsImage image;     // served by read-back, replaced by "UPDATE\r"
  SettingsImage received;  // the blocks downloaded since the last "UPDATE\r" or "EXIT\r"
  std::string line;        // an unfinished command
  bool lineOverflowed = false;
  int takeOvers = 0;       // how many times "UPDATE\r" took the received image over
};

Simulator MakeSimulator(const SimulatorOptions& options, const SettingsImage& image);

// Takes the bytes the host sent and returns the reply lines, each ending in CR.
std::vector<std::string> FeedSimulator(Simulator& simulator, std::span<const uint8_t> bytes);
