// Downloads and read-backs against the simulated scanner: the exact lines on
// the wire, results, faults and progress; the receive area and its deadline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>

#include "tests/link/link_fixture.h"

namespace {

// Bytes 0 and 1 put 9s into digits; bytes 0 to 253 sum to 0x1234, so the
// checksum pair becomes 34 CB whatever the stale pair was.
SettingsImage Sent() {
  SettingsImage image;
  image.bytes = {0x99, 0x9A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x12};
  image.bytes[254] = image.bytes[255] = 0x01;
  return image;
}

SettingsImage Counting() {
  SettingsImage image;
  for (int i = 0; i < kImageSize; ++i) image.bytes[i] = static_cast<uint8_t>(i);
  return image;
}

// The command lines of an exchange spelled V (version), 0-F (block), U (take
// over), X (abandon). Download blocks carry Sent(); an @ in the spelling is
// block 9 to an old scanner, which gets @ for every 9.
Lines Spelled(const std::string& spelling) {
  const bool download = spelling.find_first_of("UX") != std::string::npos;
  Lines lines;
  for (const char c : spelling) {
    std::string line = c == 'V' ? "VERSION\r" : c == 'U' ? "UPDATE\r" : c == 'X' ? "EXIT\r" : "";
    if (line.empty() && !download) line = std::string("R") + c + "010\r";
    if (line.empty() && c == '0') line = "0010999AFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r";
    if (line.empty() && c == '1') line = "1010FFFFFF12000000000000000000000000\r";
    if (line.empty() && c == 'F') line = "F010000000000000000000000000000034CB\r";
    if (line.empty()) line = c + std::string("010") + std::string(32, '0') + "\r";
    if (spelling.find('@') != std::string::npos && c != 'V')
      std::replace(line.begin(), line.end(), '9', '@');
    lines.push_back(line);
  }
  return lines;
}

struct Transfer {
  const char* name;
  SimulatorOptions scanner;
  std::vector<PeerRule> rules;
  const char* spelling;  // the lines on the wire; with a U or X a download
  LinkFailure failure;   // none when the transfer succeeds
};

constexpr const char* kDownload = "V0123456789ABCDEFU";
constexpr const char* kRead = "V0123456789ABCDEF";
constexpr LinkStep kBlock = LinkStep::DownloadBlock, kTake = LinkStep::TakeOver,
                   kRead3 = LinkStep::ReadBlock;
constexpr LinkFault kNak = LinkFault::NotAcknowledged, kBad = LinkFault::BadBlockReply,
                    kLong = LinkFault::ReplyTooLong, kSilent = LinkFault::NoReply;
const std::string k31 = std::string(31, '1');

const Transfer kTransfers[] = {
    {"Download", {}, {}, kDownload, {}},
    {"DownloadToOldScanner", {.version = "Ver:1.00"}, {}, "V012345678@ABCDEFU", {}},
    {"VersionsCompareAsText", {.version = "Ver:10.0"}, {}, "V012345678@ABCDEFU", {}},
    {"DownloadWithoutVersionReply", {.answersVersion = false}, {}, kDownload, {}},
    {"DoneAcknowledges", {.blockReply = BlockReply::Done}, {}, kDownload, {}},
    {"AcceptedAtTheFourthTry", {}, {{"5010", {"NAK\r"}, 3}}, "V0123455556789ABCDEFU", {}},
    {"RefusedBlock", {.blockReply = BlockReply::Nak}, {}, "V0000X", {kBlock, 0, kNak}},
    // Only the whole line counts: a NUL inside makes the reply unknown.
    {"AckWithNul", {}, {{"3010", {std::string("ACK\0Z\r", 6)}, 4}}, "V0123333X", {kBlock, 3, kNak}},
    {"DoneWithNul",
     {},
     {{"UPDATE", {std::string("DONE\0\r", 6)}, 4}},
     "V0123456789ABCDEFUUUUX",
     {kTake, -1, kNak}},
    {"UnansweredBlock", {.blockReply = BlockReply::None}, {}, "V0X", {kBlock, 0, kSilent}},
    // The rest of the long reply answers the first EXIT, which goes out again.
    {"OverlongReply", {}, {{"0010", {std::string(600, 'X') + "\r"}}}, "V0XX", {kBlock, 0, kLong}},
    {"RefusedTakeOver",
     {},
     {{"UPDATE", {"NAK\r"}, 4}},
     "V0123456789ABCDEFUUUUX",
     {kTake, -1, kNak}},
    {"ReadBack", {}, {}, kRead, {}},
    {"ReadBackFromOldScanner", {.version = "Ver:1.00"}, {}, "V012345678@ABCDEF", {}},
    {"ReadBackWithoutVersionReply", {.answersVersion = false}, {}, kRead, {}},
    {"ReadBackInLowerCase", {.lowercase = true}, {}, kRead, {}},
    {"ReadBackStalledAtBlock7", {.stallBlock = 7}, {}, "V01234567", {kRead3, 7, kSilent}},
    {"EmptyBlockReply", {}, {{"R3010", {"\r"}}}, "V0123", {kRead3, 3, kBad}},
    {"ShortBlockReply", {}, {{"R3010", {"0123\r"}}}, "V0123", {kRead3, 3, kBad}},
    {"BlockReplyOneDigitShort", {}, {{"R3010", {k31 + "\r"}}}, "V0123", {kRead3, 3, kBad}},
    {"BlockReplyOneDigitOver", {}, {{"R3010", {k31 + "11\r"}}}, "V0123", {kRead3, 3, kLong}},
    {"BlockReplyNotHex", {}, {{"R3010", {k31 + "G\r"}}}, "V0123", {kRead3, 3, kBad}},
    {"BlockReplyWithAt", {}, {{"R3010", {"@" + k31 + "\r"}}}, "V0123", {kRead3, 3, kBad}},
};

// What the progress window is told: c(reate), t(ext), positions, x (close).
TransferProgress Recorder(std::string& log) {
  return {
      &log, [](void* l) { *static_cast<std::string*>(l) += "c"; },
      [](void* l, const char* text) { *static_cast<std::string*>(l) += std::string(" ") + text; },
      [](void* l, int at) { *static_cast<std::string*>(l) += " " + std::to_string(at); },
      [](void* l) { *static_cast<std::string*>(l) += " x"; }};
}

class TransferTest : public LinkTest, public ::testing::WithParamInterface<Transfer> {};

TEST_P(TransferTest, SendsTheseLinesAndEndsSo) {
  const Transfer& t = GetParam();
  const bool download = std::string(t.spelling).find_first_of("UX") != std::string::npos;
  const bool ok = t.failure.step == LinkStep::None;
  // Short deadlines where a silence is waited out, the product's elsewhere.
  const SimulatorOptions& s = t.scanner;
  if (!s.answersVersion || s.blockReply == BlockReply::None || s.stallBlock >= 0)
    replyDeadlines = {300, 300};
  simulator = MakeSimulator(s, Counting());
  rules = t.rules;
  Connect();
  SettingsImage image = Sent();
  std::string progress;
  LinkFailure failure;
  EXPECT_EQ(download ? DownloadImage(port, image, Recorder(progress), &failure)
                     : ReadBackImage(port, image, Recorder(progress), &failure),
            ok ? 1 : 0);
  EXPECT_EQ(Wire(), Spelled(t.spelling));
  EXPECT_EQ(std::tie(failure.step, failure.block, failure.fault),
            std::tie(t.failure.step, t.failure.block, t.failure.fault));
  // One position per block sent or asked for, and then the decoding of a read-back.
  std::string want = download ? "c" : "c Uploading...";
  for (int i = 1, blocks = 0; t.spelling[i]; ++i) {
    if (!std::strchr("UX", t.spelling[i]) && t.spelling[i] != t.spelling[i - 1])
      want += " " + std::to_string((download ? 7 : 2) * blocks++);
  }
  for (int j = 0; ok && !download && j < 256; ++j) want += " " + std::to_string(30 + j);
  EXPECT_EQ(progress, want + (ok ? " 100 x" : " x"));
  // A download leaves the checksum pair in the image, taken over or not; a
  // read-back replaces all of the image or nothing.
  SettingsImage after = download || !ok ? Sent() : Counting();
  if (download) after.bytes[254] = 0x34, after.bytes[255] = 0xCB;
  EXPECT_EQ(image.bytes, after.bytes);
  EXPECT_EQ(simulator.takeOvers, download && ok ? 1 : 0);
  EXPECT_EQ(simulator.image.bytes, (download && ok ? after : Counting()).bytes);
}

INSTANTIATE_TEST_SUITE_P(Exchanges, TransferTest, ::testing::ValuesIn(kTransfers),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(LinkTest, DeadlineIsNotExtendedByArrivingData) {
  replyDeadlines = {300, 300};
  delayMs = 200;  // "AC" after 200 ms, "K\r" after 400 ms
  rules = {{"PING", {"AC", "K\r"}}};
  Connect();
  LinkFault fault = LinkFault::None;
  EXPECT_EQ(SendAcknowledged(port, "PING\r", fault), 0);
  EXPECT_EQ(fault, LinkFault::NoReply);
  EXPECT_EQ(Wire(), Lines{"PING\r"});
}

TEST_F(LinkTest, ReceiveLineStaysInsideItsArea) {
  rules = {{"FITS", {"ABCDEFG\r"}}, {"LONG", {"ABCDEFGHIJKL\r"}}};
  Connect();
  char buffer[17] = "################";
  size_t length = 0;
  LinkFault fault = LinkFault::None;
  ASSERT_EQ(WritePort(port, reinterpret_cast<const uint8_t*>("FITS\r"), 5), 1);
  ASSERT_EQ(ReceiveLine(port, {buffer, 8}, 4, TickCount() + 1000, length, fault), 1);
  EXPECT_EQ(std::string(buffer, length), "ABCDEFG\r");
  ASSERT_EQ(WritePort(port, reinterpret_cast<const uint8_t*>("LONG\r"), 5), 1);
  EXPECT_EQ(ReceiveLine(port, {buffer, 8}, 4, TickCount() + 1000, length, fault), 0);
  EXPECT_EQ(fault, LinkFault::ReplyTooLong);
  EXPECT_EQ(std::string(buffer), "ABCDEFGH########");
}

TEST_F(LinkTest, LostDeviceFailsTheTransferAndLeavesTheImage) {
  Connect();
  Wire();  // the peer is gone
  SettingsImage image = Counting();
  LinkFailure read, download;
  EXPECT_EQ(ReadBackImage(port, image, {}, &read), 0);
  EXPECT_EQ(image.bytes, Counting().bytes);
  EXPECT_EQ(DownloadImage(port, image, {}, &download), 0);
  for (const LinkFailure& f : {read, download})
    EXPECT_TRUE(f.fault == LinkFault::WriteFailed || f.fault == LinkFault::PortFailed);
}

}  // namespace
