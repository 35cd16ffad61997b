// The simulated scanner as a state machine: what it answers to each command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/simulator.h"

namespace {

using Replies = std::vector<std::string>;

Replies Feed(Simulator& s, const std::string& bytes) {
  return FeedSimulator(s, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

SettingsImage Counting() {
  SettingsImage image;
  for (int i = 0; i < kImageSize; ++i) image.bytes[i] = static_cast<uint8_t>(i);
  return image;
}

TEST(Simulator, AnswersTheVersionQuery) {
  Simulator s = MakeSimulator({}, SettingsImage{});
  EXPECT_EQ(Feed(s, "VERSION\r"), Replies{"Ver:2.00\r"});
  SimulatorOptions old;
  old.version = "Ver:1.00";
  s = MakeSimulator(old, SettingsImage{});
  EXPECT_EQ(Feed(s, "VERSION\r"), Replies{"Ver:1.00\r"});
  SimulatorOptions silent;
  silent.answersVersion = false;
  s = MakeSimulator(silent, SettingsImage{});
  EXPECT_EQ(Feed(s, "VERSION\r"), Replies{});
}

TEST(Simulator, CommandsMayArriveInPiecesAndTogether) {
  Simulator s = MakeSimulator({}, SettingsImage{});
  EXPECT_EQ(Feed(s, "VER"), Replies{});
  EXPECT_EQ(Feed(s, "SION\rEXIT\rUP"), (Replies{"Ver:2.00\r", "ACK\r"}));
  EXPECT_EQ(Feed(s, "DATE\r"), Replies{"ACK\r"});
}

TEST(Simulator, ServesReadBackBlocksFromItsImage) {
  Simulator s = MakeSimulator({}, Counting());
  EXPECT_EQ(Feed(s, "R0010\r"), Replies{"000102030405060708090A0B0C0D0E0F\r"});
  EXPECT_EQ(Feed(s, "RF010\r"), Replies{"F0F1F2F3F4F5F6F7F8F9FAFBFCFDFEFF\r"});
  EXPECT_EQ(Feed(s, "R9010\r"), Replies{"909192939495969798999A9B9C9D9E9F\r"});
  EXPECT_EQ(Feed(s, "RG010\r"), Replies{"NAK\r"});
  EXPECT_EQ(Feed(s, "R0011\r"), Replies{"NAK\r"});
}

TEST(Simulator, FaultModesForReadBack) {
  SimulatorOptions options;
  options.lowercase = true;
  options.stallBlock = 10;
  Simulator s = MakeSimulator(options, Counting());
  EXPECT_EQ(Feed(s, "RA010\r"), Replies{});
  EXPECT_EQ(Feed(s, "RB010\r"), Replies{"b0b1b2b3b4b5b6b7b8b9babbbcbdbebf\r"});
}

TEST(Simulator, OldScannerTakesAtForNine) {
  SimulatorOptions old;
  old.version = "Ver:1.00";
  Simulator s = MakeSimulator(old, Counting());
  EXPECT_EQ(Feed(s, "R@010\r"), Replies{"909192939495969798999A9B9C9D9E9F\r"});
  EXPECT_EQ(Feed(s, "R9010\r"), Replies{"NAK\r"});
  EXPECT_EQ(Feed(s, "@010@@@A" + std::string(28, '0') + "\r"), Replies{"ACK\r"});
  EXPECT_EQ(Feed(s, "UPDATE\r"), Replies{"ACK\r"});
  EXPECT_EQ(s.image.bytes[144], 0x99);
  EXPECT_EQ(s.image.bytes[145], 0x9A);
  EXPECT_EQ(s.image.bytes[146], 0x00);
  EXPECT_EQ(s.image.bytes[143], 143);
}

TEST(Simulator, UpdateTakesTheDownloadedBlocksOverAndExitDropsThem) {
  Simulator s = MakeSimulator({}, Counting());
  EXPECT_EQ(Feed(s, "0010FF" + std::string(28, '0') + "01\r"), Replies{"ACK\r"});
  EXPECT_EQ(s.image.bytes[0], 0x00);  // not before "UPDATE\r"
  EXPECT_EQ(Feed(s, "EXIT\r"), Replies{"ACK\r"});
  EXPECT_EQ(Feed(s, "UPDATE\r"), Replies{"ACK\r"});
  EXPECT_EQ(s.image.bytes, Counting().bytes);
  EXPECT_EQ(Feed(s, "0010FF" + std::string(28, '0') + "01\r"), Replies{"ACK\r"});
  EXPECT_EQ(Feed(s, "UPDATE\r"), Replies{"ACK\r"});
  EXPECT_EQ(s.takeOvers, 2);
  EXPECT_EQ(s.image.bytes[0], 0xFF);
  EXPECT_EQ(s.image.bytes[15], 0x01);
  EXPECT_EQ(s.image.bytes[16], 16);
}

TEST(Simulator, BlockReplyModes) {
  const std::string block = "F0100123456789ABCDEF0123456789ABCDEF\r";
  const std::pair<BlockReply, Replies> modes[] = {{BlockReply::Ack, {"ACK\r"}},
                                                  {BlockReply::Done, {"DONE\r"}},
                                                  {BlockReply::Nak, {"NAK\r"}},
                                                  {BlockReply::None, {}}};
  for (const auto& [mode, replies] : modes) {
    SimulatorOptions options;
    options.blockReply = mode;
    Simulator s = MakeSimulator(options, SettingsImage{});
    EXPECT_EQ(Feed(s, block), replies);
    EXPECT_EQ(Feed(s, "UPDATE\r"), Replies{"ACK\r"});
  }
}

TEST(Simulator, MalformedCommandsAreRefused) {
  Simulator s = MakeSimulator({}, Counting());
  const std::string bad[] = {"0010\r",
                             "00100123456789ABCDEF0123456789ABCDE\r",
                             "0011" + std::string(32, '0') + "\r",
                             "00100123456789abcdef0123456789ABCDEF\r",
                             "HELLO\r",
                             "\r"};
  for (const std::string& command : bad) EXPECT_EQ(Feed(s, command), Replies{"NAK\r"}) << command;
  EXPECT_EQ(Feed(s, std::string(500, '0') + "\r"), Replies{"NAK\r"});
  EXPECT_EQ(Feed(s, "UPDATE\r"), Replies{"ACK\r"});
  EXPECT_EQ(s.image.bytes, Counting().bytes);
}

}  // namespace
