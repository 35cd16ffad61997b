// Downloads and read-backs against the simulated scanner: the exact lines on
// the wire, results, faults and progress; the reply deadline, and a lost device.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "link/connection.h"
#include "link/simulator.h"
#include "link/transfer.h"
#include "tools/pty.h"

namespace {

using Lines = std::vector<std::string>;

// Answers the next `times` command lines that start with `prefix` with
// `replies`, written one after the other.
struct PeerRule {
  std::string prefix;
  Lines replies;
  int times = 1;
};

// A scanner port opened on a pseudo-terminal whose other side a thread of the
// test serves: the simulated scanner, except where a rule answers instead.
class LinkTest : public ::testing::Test {
 protected:
  void TearDown() override {
    ClosePort(port);
    StopPeer();
    replyDeadlines = kReplyDeadlines;
  }
  // Starts the peer on a new pseudo-terminal and opens the port on it.
  void Connect() {
    ASSERT_TRUE(OpenPseudoTerminal(pty) && pipe2(stop_, O_CLOEXEC) == 0);
    thread_ = std::thread([this] { ServePseudoTerminal(pty, stop_[0], delayMs, {this, Respond}); });
    ASSERT_EQ(OpenScannerPort(port, pty.path.c_str(), {}), PortOpenResult::Opened)
        << PortErrorText();
  }
  // Stops the peer, once it has received `awaited` lines or a second has
  // passed, and returns the command lines it received. A command answered by
  // a reply already on its way may still be in the pseudo-terminal.
  Lines Wire(size_t awaited = 0) {
    for (int ms = 0; lines_ < awaited && ms < 1000; ms += 5) usleep(5000);
    StopPeer();
    Lines lines;
    for (size_t at = 0, end; at < wire_.size(); at = end + 1) {
      end = std::min(wire_.find('\r', at), wire_.size() - 1);
      lines.push_back(wire_.substr(at, end + 1 - at));
    }
    return lines;
  }

  Simulator simulator;
  std::vector<PeerRule> rules;
  unsigned delayMs = 0;  // before each reply
  PseudoTerminal pty;
  Port port;

 private:
  static Lines Respond(void* self, std::span<const uint8_t> received) {
    LinkTest& t = *static_cast<LinkTest*>(self);
    Lines replies;
    for (const uint8_t c : received) {
      t.wire_ += static_cast<char>(c);
      t.line_ += static_cast<char>(c);
      if (c != '\r') continue;
      ++t.lines_;
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
  void StopPeer() {
    if (thread_.joinable()) {
      [[maybe_unused]] const ssize_t ignored = write(stop_[1], "", 1);
      thread_.join();
    }
    for (int& fd : stop_) fd = fd >= 0 ? close(fd), -1 : -1;
    ClosePseudoTerminal(pty);
  }
  std::string wire_, line_;
  std::atomic<size_t> lines_ = 0;
  int stop_[2] = {-1, -1};
  std::thread thread_;
};

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
const std::string k31 = std::string(31, '1'), kAckNul("ACK\0\r", 5);
constexpr LinkFailure kRefused{kBlock, 0, kNak};

const Transfer kTransfers[] = {
    {"Download", {}, {}, kDownload, {}},
    {"DownloadToOldScanner", {.version = "Ver:1.00"}, {}, "V012345678@ABCDEFU", {}},
    {"VersionsCompareAsText", {.version = "Ver:10.0"}, {}, "V012345678@ABCDEFU", {}},
    {"DownloadWithoutVersionReply", {.answersVersion = false}, {}, kDownload, {}},
    {"DoneAcknowledges", {.blockReply = BlockReply::Done}, {}, kDownload, {}},
    {"AcceptedAtTheFourthTry", {}, {{"5010", {"NAK\r"}, 3}}, "V0123455556789ABCDEFU", {}},
    {"RefusedBlock", {.blockReply = BlockReply::Nak}, {}, "V0000X", kRefused},
    {"UnansweredBlock", {.blockReply = BlockReply::None}, {}, "V0X", {kBlock, 0, kSilent}},
    // Only the whole line before the CR acknowledges.
    {"AckAndMore", {}, {{"0010", {"ACKX\r"}, 2}, {"0010", {"DONE.\r"}, 2}}, "V0000X", kRefused},
    {"NulInTheLine", {}, {{"0010", {kAckNul}, 4}}, "V0000X", kRefused},
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
  EXPECT_EQ(Wire(Spelled(t.spelling).size()), Spelled(t.spelling));
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
