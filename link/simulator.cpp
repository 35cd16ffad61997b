// The simulated scanner: it answers the version query, takes download blocks
// into a received image that "UPDATE\r" makes its own, and serves read-back
// blocks from its image. Block digits follow the rule of its version class.
#include "link/simulator.h"

#include <algorithm>
#include <cctype>

#include "link/hex_digits.h"
#include "settings/value_texts.h"

namespace {

constexpr size_t kLongestCommand = 64;  // beyond the longest real command
constexpr size_t kBlockDigits = 32;
constexpr size_t kBlockSize = 16;
constexpr char kBlockTag[] = "010";

int DigitClass(const SimulatorOptions& options) {
  return options.answersVersion ? VersionClassOf(options.version) : kNoVersion;
}

const char* BlockReplyText(BlockReply reply) {
  switch (reply) {
    case BlockReply::Ack:
      return "ACK\r";
    case BlockReply::Done:
      return "DONE\r";
    case BlockReply::Nak:
      return "NAK\r";
    case BlockReply::None:
      break;
  }
  return nullptr;
}

// A block command: designator, "010" and, for a download, 32 data digits.
// Returns the block number, or -1 when `command` is not of that form.
int ParseBlock(const std::string& command, size_t digits, int digitClass) {
  if (command.size() != 4 + digits || command.compare(1, 3, kBlockTag) != 0) return -1;
  for (size_t k = 4; k < command.size(); ++k)
    if (CommandHexValue(command[k], digitClass) < 0) return -1;
  return CommandHexValue(command[0], digitClass);
}

std::string ReadBlockReply(const Simulator& s, int block) {
  std::string reply;
  for (size_t k = 0; k < kBlockSize; ++k)
    AppendHexByte(reply, s.image.bytes[block * kBlockSize + k]);
  if (s.options.lowercase)
    std::transform(reply.begin(), reply.end(), reply.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
  return reply + "\r";
}

void Answer(Simulator& s, const std::string& command, std::vector<std::string>& replies) {
  const int digitClass = DigitClass(s.options);
  if (command == "VERSION") {
    if (s.options.answersVersion) replies.push_back(s.options.version + "\r");
    return;
  }
  if (command == "UPDATE") {
    // A scanner that keeps its image acknowledges all the same: a download
    // that did not land, which only reading it back reveals.
    if (!s.options.keepsImage) {
      s.image = s.received;
      ++s.takeOvers;
    }
    replies.push_back("ACK\r");
    return;
  }
  if (command == "EXIT") {
    s.received = s.image;
    replies.push_back("ACK\r");
    return;
  }
  if (!command.empty() && command[0] == 'R') {
    const int block = ParseBlock(command.substr(1), 0, digitClass);
    if (block < 0) {
      replies.push_back("NAK\r");
    } else if (block != s.options.stallBlock) {
      replies.push_back(ReadBlockReply(s, block));
    }
    return;
  }
  const int block = ParseBlock(command, kBlockDigits, digitClass);
  if (block < 0) {
    replies.push_back("NAK\r");
    return;
  }
  for (size_t k = 0; k < kBlockSize; ++k)
    s.received.bytes[block * kBlockSize + k] =
        static_cast<uint8_t>(CommandHexValue(command[4 + 2 * k], digitClass) * 16 +
                             CommandHexValue(command[5 + 2 * k], digitClass));
  if (const char* reply = BlockReplyText(s.options.blockReply)) replies.push_back(reply);
}

}  // namespace

Simulator MakeSimulator(const SimulatorOptions& options, const SettingsImage& image) {
  Simulator s;
  s.options = options;
  s.image = image;
  s.received = image;
  return s;
}

std::vector<std::string> FeedSimulator(Simulator& s, std::span<const uint8_t> bytes) {
  std::vector<std::string> replies;
  for (const uint8_t byte : bytes) {
    if (byte != '\r') {
      if (s.line.size() < kLongestCommand)
        s.line += static_cast<char>(byte);
      else
        s.lineOverflowed = true;
      continue;
    }
    if (s.lineOverflowed)
      replies.push_back("NAK\r");
    else
      Answer(s, s.line, replies);
    s.line.clear();
    s.lineOverflowed = false;
  }
  return replies;
}
