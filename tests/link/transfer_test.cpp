// Downloads and read-backs over a pseudo-terminal against the simulated
// scanner and scripted peers: the bytes on the wire, results and faults.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/transfer.h"
#include "settings/factory_defaults.h"
#include "tests/link/link_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string Zeros(size_t n) { return std::string(n, '0'); }

// Bytes 0 and 1 are 0x99 and 0x9A, all others zero.
SettingsImage NinesImage() {
  SettingsImage image;
  image.bytes[0] = 0x99;
  image.bytes[1] = 0x9A;
  return image;
}

SettingsImage Counting() {
  SettingsImage image;
  for (int i = 0; i < kImageSize; ++i) image.bytes[i] = static_cast<uint8_t>(i);
  return image;
}

std::vector<std::string> DownloadProgress() {
  std::vector<std::string> events{"create"};
  for (int i = 0; i < 16; ++i) events.push_back("pos " + std::to_string(7 * i));
  events.push_back("pos 100");
  events.push_back("close");
  return events;
}

TEST_F(LinkTest, DownloadSendsVersionQueryBlocksAndUpdate) {
  UseSimulator({}, SettingsImage{});
  Connect();
  SettingsImage image = FactoryImage();
  ProgressLog log;
  ASSERT_EQ(DownloadImage(port, image, Recorder(log)), 1);
  EXPECT_EQ(image.bytes[254] + image.bytes[255], 0xFF);
  EXPECT_EQ(log.events, DownloadProgress());

  const Lines wire = Wire();
  ASSERT_EQ(wire.size(), 18u);
  EXPECT_EQ(wire[0], "VERSION\r");
  EXPECT_EQ(wire[1], "0010" "01000022010292000AD92509000038A9" "\r");
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(wire[1 + i].size(), 37u) << i;
    EXPECT_EQ(wire[1 + i].substr(0, 4), std::string(1, "0123456789ABCDEF"[i]) + "010") << i;
  }
  EXPECT_EQ(wire[17], "UPDATE\r");
  EXPECT_EQ(peer.simulator.takeOvers, 1);
  EXPECT_EQ(peer.simulator.image.bytes, image.bytes);
}

TEST_F(LinkTest, ChecksumPairIsStoredAndSentWithBlock15) {
  UseSimulator({}, SettingsImage{});
  Connect();
  SettingsImage image;  // bytes 0 to 253 sum to 0x1234
  for (int i = 0; i < 18; ++i) image.bytes[i] = 0xFF;
  image.bytes[18] = 0x46;
  ProgressLog log;
  ASSERT_EQ(DownloadImage(port, image, Recorder(log)), 1);
  EXPECT_EQ(image.bytes[254], 0x34);
  EXPECT_EQ(image.bytes[255], 0xCB);
  const Lines wire = Wire();
  ASSERT_EQ(wire.size(), 18u);
  EXPECT_EQ(wire[2], "1010FFFF46" + Zeros(26) + "\r");
  EXPECT_EQ(wire[16], "F010" + Zeros(28) + "34CB\r");
}

TEST_F(LinkTest, OldScannerGetsAtForNineInDesignatorsAndData) {
  SimulatorOptions old;
  old.version = "Ver:1.00";
  UseSimulator(old, SettingsImage{});
  Connect();
  SettingsImage image = NinesImage();
  ProgressLog log;
  ASSERT_EQ(DownloadImage(port, image, Recorder(log)), 1);
  const Lines wire = Wire();
  ASSERT_EQ(wire.size(), 18u);
  EXPECT_EQ(wire[1], "0010@@@A" + Zeros(28) + "\r");
  EXPECT_EQ(wire[9], "8010" + Zeros(32) + "\r");
  EXPECT_EQ(wire[10], "@010" + Zeros(32) + "\r");
  EXPECT_EQ(wire[11], "A010" + Zeros(32) + "\r");
  EXPECT_EQ(wire[16], "F010" + Zeros(28) + "33CC\r");
  EXPECT_EQ(peer.simulator.image.bytes, image.bytes);
}

TEST_F(LinkTest, CurrentScannerGetsPlainNines) {
  UseSimulator({}, SettingsImage{});
  Connect();
  SettingsImage image = NinesImage();
  ProgressLog log;
  ASSERT_EQ(DownloadImage(port, image, Recorder(log)), 1);
  const Lines wire = Wire();
  ASSERT_EQ(wire.size(), 18u);
  EXPECT_EQ(wire[1], "0010999A" + Zeros(28) + "\r");
  EXPECT_EQ(wire[10], "9010" + Zeros(32) + "\r");
}

TEST_F(LinkTest, ScannerWithoutVersionReplyStillGetsAllBlocksWithPlainDigits) {
  replyDeadlines = kShortDeadlines;
  SimulatorOptions silent;
  silent.answersVersion = false;
  UseSimulator(silent, SettingsImage{});
  Connect();
  SettingsImage image = NinesImage();
  ProgressLog log;
  ASSERT_EQ(DownloadImage(port, image, Recorder(log)), 1);
  const Lines wire = Wire();
  ASSERT_EQ(wire.size(), 18u);
  EXPECT_EQ(wire[0], "VERSION\r");
  EXPECT_EQ(wire[1], "0010999A" + Zeros(28) + "\r");
  EXPECT_EQ(wire[10], "9010" + Zeros(32) + "\r");
  EXPECT_EQ(wire[17], "UPDATE\r");
  EXPECT_EQ(peer.simulator.image.bytes, image.bytes);
}

TEST_F(LinkTest, FourRefusalsOfABlockSendItFourTimesThenExit) {
  SimulatorOptions nak;
  nak.blockReply = BlockReply::Nak;
  UseSimulator(nak, SettingsImage{});
  Connect();
  SettingsImage image = NinesImage();
  ProgressLog log;
  LinkFailure failure;
  EXPECT_EQ(DownloadImage(port, image, Recorder(log), &failure), 0);
  EXPECT_EQ(failure.step, LinkStep::DownloadBlock);
  EXPECT_EQ(failure.block, 0);
  EXPECT_EQ(failure.fault, LinkFault::NotAcknowledged);
  // The checksum pair stays in the image after a failed download too.
  EXPECT_EQ(image.bytes[254], 0x33);
  EXPECT_EQ(image.bytes[255], 0xCC);
  EXPECT_EQ(log.events, (Lines{"create", "pos 0", "close"}));
  const std::string block0 = "0010999A" + Zeros(28) + "\r";
  EXPECT_EQ(Wire(), (Lines{"VERSION\r", block0, block0, block0, block0, "EXIT\r"}));
  EXPECT_EQ(peer.simulator.takeOvers, 0);
}

TEST_F(LinkTest, DoneIsTakenAsAcknowledgement) {
  SimulatorOptions done;
  done.blockReply = BlockReply::Done;
  UseSimulator(done, SettingsImage{});
  Connect();
  SettingsImage image = Counting();
  ProgressLog log;
  ASSERT_EQ(DownloadImage(port, image, Recorder(log)), 1);
  EXPECT_EQ(Wire().size(), 18u);
  EXPECT_EQ(peer.simulator.image.bytes, image.bytes);
}

TEST_F(LinkTest, UnansweredBlockIsSentOnceThenExit) {
  replyDeadlines = kShortDeadlines;
  SimulatorOptions none;
  none.blockReply = BlockReply::None;
  UseSimulator(none, SettingsImage{});
  Connect();
  SettingsImage image = NinesImage();
  ProgressLog log;
  LinkFailure failure;
  EXPECT_EQ(DownloadImage(port, image, Recorder(log), &failure), 0);
  EXPECT_EQ(failure.fault, LinkFault::NoReply);
  EXPECT_EQ(failure.block, 0);
  EXPECT_EQ(Wire(), (Lines{"VERSION\r", "0010999A" + Zeros(28) + "\r", "EXIT\r"}));
}

TEST_F(LinkTest, BlockAcknowledgedAtTheFourthAttemptPasses) {
  int refusals = 0;
  peer.script = [&refusals](const std::string& line) -> Lines {
    if (line == "VERSION\r") return {"Ver:2.00\r"};
    if (line.starts_with("5010") && refusals < 3) return {++refusals == 2 ? "ERR\r" : "NAK\r"};
    return {"ACK\r"};
  };
  Connect();
  SettingsImage image = Counting();
  ProgressLog log;
  ASSERT_EQ(DownloadImage(port, image, Recorder(log)), 1);
  const Lines wire = Wire();
  EXPECT_EQ(std::count_if(wire.begin(), wire.end(),
                          [](const std::string& l) { return l.starts_with("5010"); }),
            4);
  EXPECT_EQ(wire.size(), 21u);
}

TEST_F(LinkTest, RefusedUpdateIsSentFourTimesThenExit) {
  peer.script = [](const std::string& line) -> Lines {
    if (line == "VERSION\r") return {"Ver:2.00\r"};
    if (line == "UPDATE\r") return {"NAK\r"};
    return {"ACK\r"};
  };
  Connect();
  SettingsImage image = Counting();
  ProgressLog log;
  LinkFailure failure;
  EXPECT_EQ(DownloadImage(port, image, Recorder(log), &failure), 0);
  EXPECT_EQ(failure.step, LinkStep::TakeOver);
  EXPECT_EQ(failure.fault, LinkFault::NotAcknowledged);
  EXPECT_EQ(log.events.back(), "close");
  EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "pos 100"), 0);
  const Lines wire = Wire();
  ASSERT_EQ(wire.size(), 22u);
  EXPECT_EQ(Lines(wire.begin() + 17, wire.end()),
            (Lines{"UPDATE\r", "UPDATE\r", "UPDATE\r", "UPDATE\r", "EXIT\r"}));
}

TEST_F(LinkTest, OverlongAcknowledgementFailsTheBlock) {
  peer.script = [](const std::string& line) -> Lines {
    if (line == "VERSION\r") return {"Ver:2.00\r"};
    if (line == "EXIT\r") return {"ACK\r"};
    return {std::string(600, 'X') + "\r"};
  };
  Connect();
  SettingsImage image = Counting();
  ProgressLog log;
  LinkFailure failure;
  EXPECT_EQ(DownloadImage(port, image, Recorder(log), &failure), 0);
  EXPECT_EQ(failure.step, LinkStep::DownloadBlock);
  EXPECT_EQ(failure.block, 0);
  EXPECT_EQ(failure.fault, LinkFault::ReplyTooLong);
  EXPECT_EQ(Wire().back(), "EXIT\r");
}

TEST_F(LinkTest, DeadlineIsNotExtendedByArrivingData) {
  replyDeadlines = kShortDeadlines;
  peer.delayMs = 200;  // "AC" after 200 ms, "K\r" after 400 ms
  peer.script = [](const std::string&) -> Lines { return {"AC", "K\r"}; };
  Connect();
  LinkFault fault = LinkFault::None;
  EXPECT_EQ(SendAcknowledged(port, "PING\r", fault), 0);
  EXPECT_EQ(fault, LinkFault::NoReply);
  EXPECT_EQ(Wire(), Lines{"PING\r"});
}

TEST_F(LinkTest, ReceiveLineStaysInsideItsArea) {
  peer.script = [](const std::string& line) -> Lines {
    return {line == "LONG\r" ? "ABCDEFGHIJKL\r" : "ABCDEFG\r"};
  };
  Connect();
  char buffer[16];
  std::fill(std::begin(buffer), std::end(buffer), '#');
  const std::span<char> area(buffer, 8);
  size_t length = 0;
  LinkFault fault = LinkFault::None;

  ASSERT_EQ(WritePort(port, reinterpret_cast<const uint8_t*>("FITS\r"), 5), 1);
  ASSERT_EQ(ReceiveLine(port, area, 4, TickCount() + 1000, length, fault), 1);
  EXPECT_EQ(length, 8u);
  EXPECT_EQ(std::string(buffer, 8), "ABCDEFG\r");

  ASSERT_EQ(WritePort(port, reinterpret_cast<const uint8_t*>("LONG\r"), 5), 1);
  EXPECT_EQ(ReceiveLine(port, area, 4, TickCount() + 1000, length, fault), 0);
  EXPECT_EQ(fault, LinkFault::ReplyTooLong);
  EXPECT_EQ(std::string(buffer, 8), "ABCDEFGH");
  EXPECT_EQ(std::string(buffer + 8, 8), "########");
}

TEST_F(LinkTest, ReadBackReplacesTheImage) {
  UseSimulator({}, Counting());
  Connect();
  SettingsImage image = FactoryImage();
  ProgressLog log;
  ASSERT_EQ(ReadBackImage(port, image, Recorder(log)), 1);
  EXPECT_EQ(image.bytes, Counting().bytes);

  Lines events{"create", "text Uploading..."};
  for (int i = 0; i < 16; ++i) events.push_back("pos " + std::to_string(2 * i));
  for (int j = 0; j < 256; ++j) events.push_back("pos " + std::to_string(30 + j));
  events.push_back("pos 100");
  events.push_back("close");
  EXPECT_EQ(log.events, events);

  Lines requests{"VERSION\r"};
  for (const char d : std::string("0123456789ABCDEF")) requests.push_back(std::string("R") + d + "010\r");
  EXPECT_EQ(Wire(), requests);
}

// Read-backs that succeed however the scanner answers the version query or
// spells its digits.
class ReadBack : public LinkTest {
 protected:
  // Reads the counting image back from a simulator with `options`, expects
  // it whole, and returns the request sent for block 9.
  std::string ReadCountingImage(const SimulatorOptions& options) {
    UseSimulator(options, Counting());
    Connect();
    SettingsImage image;
    ProgressLog log;
    EXPECT_EQ(ReadBackImage(port, image, Recorder(log)), 1);
    EXPECT_EQ(image.bytes, Counting().bytes);
    return Wire().at(10);
  }
};

TEST_F(ReadBack, WithoutVersionReplyContinues) {
  replyDeadlines = kShortDeadlines;
  SimulatorOptions silent;
  silent.answersVersion = false;
  EXPECT_EQ(ReadCountingImage(silent), "R9010\r");
}

TEST_F(ReadBack, FromOldScannerAsksForBlockNineWithAt) {
  SimulatorOptions old;
  old.version = "Ver:1.00";
  EXPECT_EQ(ReadCountingImage(old), "R@010\r");
}

TEST_F(ReadBack, LowerCaseBlockRepliesDecodeLikeUpperCase) {
  SimulatorOptions lower;
  lower.lowercase = true;
  EXPECT_EQ(ReadCountingImage(lower), "R9010\r");
}

TEST_F(LinkTest, ReadBackStalledAtBlock7LeavesTheImageAsItWas) {
  replyDeadlines = kShortDeadlines;
  SimulatorOptions stall;
  stall.stallBlock = 7;
  UseSimulator(stall, Counting());
  Connect();
  SettingsImage image = FactoryImage();
  image.bytes[254] = 0x5A;
  const SettingsImage before = image;
  ProgressLog log;
  LinkFailure failure;
  EXPECT_EQ(ReadBackImage(port, image, Recorder(log), &failure), 0);
  EXPECT_EQ(image.bytes, before.bytes);
  EXPECT_EQ(failure.step, LinkStep::ReadBlock);
  EXPECT_EQ(failure.block, 7);
  EXPECT_EQ(failure.fault, LinkFault::NoReply);
  EXPECT_EQ(log.events.back(), "close");
  EXPECT_EQ(std::count(log.events.begin(), log.events.end(), "pos 100"), 0);
  const Lines wire = Wire();
  ASSERT_EQ(wire.size(), 9u);
  EXPECT_EQ(wire.back(), "R7010\r");
}

TEST_F(LinkTest, LostDeviceFailsTheTransfer) {
  UseSimulator({}, Counting());
  Connect();
  StopPeer(peer);
  SettingsImage image = FactoryImage();
  const SettingsImage before = image;
  ProgressLog log;
  LinkFailure failure;
  EXPECT_EQ(ReadBackImage(port, image, Recorder(log), &failure), 0);
  EXPECT_TRUE(failure.fault == LinkFault::WriteFailed || failure.fault == LinkFault::PortFailed)
      << DescribeLinkFailure(failure);
  EXPECT_EQ(failure.block, 0);
  EXPECT_EQ(image.bytes, before.bytes);
  EXPECT_EQ(DownloadImage(port, image, Recorder(log), &failure), 0);
  EXPECT_TRUE(failure.fault == LinkFault::WriteFailed || failure.fault == LinkFault::PortFailed)
      << DescribeLinkFailure(failure);
}

struct BadBlockReply {
  const char* name;
  std::string reply;
  LinkFault fault;
};

class BadBlockReplyTest : public LinkTest, public ::testing::WithParamInterface<BadBlockReply> {};

TEST_P(BadBlockReplyTest, FailsTheReadBackAndLeavesTheImage) {
  const std::string bad = GetParam().reply;
  peer.script = [bad](const std::string& line) -> Lines {
    if (line == "VERSION\r") return {"Ver:2.00\r"};
    if (line == "R3010\r") return {bad};
    return {std::string(32, 'F') + "\r"};
  };
  Connect();
  SettingsImage image = FactoryImage();
  const SettingsImage before = image;
  ProgressLog log;
  LinkFailure failure;
  EXPECT_EQ(ReadBackImage(port, image, Recorder(log), &failure), 0);
  EXPECT_EQ(image.bytes, before.bytes);
  EXPECT_EQ(failure.step, LinkStep::ReadBlock);
  EXPECT_EQ(failure.block, 3);
  EXPECT_EQ(failure.fault, GetParam().fault);
  EXPECT_EQ(Wire().back(), "R3010\r");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, BadBlockReplyTest,
    ::testing::Values(
        BadBlockReply{"Empty", "\r", LinkFault::BadBlockReply},
        BadBlockReply{"Short", "0123\r", LinkFault::BadBlockReply},
        BadBlockReply{"OneDigitShort", std::string(31, '1') + "\r", LinkFault::BadBlockReply},
        BadBlockReply{"OneDigitOver", std::string(33, '1') + "\r", LinkFault::ReplyTooLong},
        BadBlockReply{"FarTooLong", std::string(700, 'a') + "\r", LinkFault::ReplyTooLong},
        BadBlockReply{"NotHex", std::string(31, '1') + "G\r", LinkFault::BadBlockReply},
        BadBlockReply{"AtSign", "@" + std::string(31, '1') + "\r", LinkFault::BadBlockReply},
        BadBlockReply{"Space", std::string(16, '1') + " " + std::string(15, '1') + "\r",
                      LinkFault::BadBlockReply}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
