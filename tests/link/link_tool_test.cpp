// skelv download, read, apply, diff, ports and simulate as a user runs them: the
// simulators as child processes on their own pseudo-terminals, several at once
// for the fleet, and the transfer commands with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "tests/link/skelv_process.h"

namespace {

using namespace std::chrono_literals;

// Bytes 0 to 253 sum to 0x12CD, byte 20 puts a 9 into both its digits; the
// checksum pair is as given.
std::vector<uint8_t> Sample(uint8_t checksum, uint8_t complement) {
  std::vector<uint8_t> bytes(256);
  Patch(bytes.data(), "0: FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF 46 00 99");
  bytes[254] = checksum;
  bytes[255] = complement;
  return bytes;
}

TEST(SkelvLink, FailuresAreOneLineAndStatusOneAndLeaveTheFiles) {
  const std::string dir = MakeScratchDir(), file = dir + "/sample.qrs", none = dir + "/none.qrs";
  WriteWholeFile(file, Sample(0x01, 0x02));
  Simulate child("");
  const std::string unread = none + ": No such file or directory\n";
  const std::pair<std::string, std::string> kCases[] = {
      {"download " + file + " --port /dev/skelv-none",
       "/dev/skelv-none: failed: cannot open: No such file or directory\n"},
      {"probe --port /dev/skelv-none", "/dev/skelv-none: cannot open: No such file or directory\n"},
      {"read -o " + none + " --port /dev/null", "/dev/null: failed: refused the line settings: "},
      {"download " + none + " --port /dev/null", "skelv download: cannot read " + unread},
      {"set " + file + " --from " + none, "skelv set: cannot read " + unread},
      {"simulate --image " + none, "skelv simulate: cannot read " + unread},
      {"apply " + none + " --port /dev/null", "skelv apply: cannot read " + unread},
      {"download " + file + " --port '/dev/skelv-none*'",
       "skelv download: no device matches /dev/skelv-none*\n"},
      {"ports /dev/skelv-none '/dev/skelv-none*'",
       "skelv ports: no device matches /dev/skelv-none*\n"},
      {"defaults -o " + none + "/x.qrs", "skelv defaults: cannot write " + none + "/x.qrs\n"}};
  for (const auto& [args, message] : kCases) {
    const Outcome o = RunSkelv(args);
    const std::string both = o.out + o.err;
    EXPECT_EQ(o.status, 1) << args;
    EXPECT_EQ(both.substr(0, message.size()), message);
    EXPECT_EQ(std::count(both.begin(), both.end(), '\n'), 1) << args;
  }
  EXPECT_EQ(ReadWholeFile(file), Sample(0x01, 0x02));
  EXPECT_FALSE(std::filesystem::exists(none));
  EXPECT_EQ(RunSkelv("ports " + child.device + " /dev/skelv-none").out,
            child.device + ": busy (pid " + std::to_string(child.pid) +
                " skelv)\n/dev/skelv-none: not openable: No such file or directory\n");
  EXPECT_EQ(child.Stop(SIGINT), 0);
}

// What the simulators reported of the client's line settings, in order; any
// other line is left as it is.
std::string LinesSeen(const std::string& path) {
  return std::regex_replace(
      ReadText(path), std::regex(R"(skelv simulate: line set to (\d+) baud, [^\n]*\n)"), "$1 ");
}

// The scanner that takes the download is an old one, which takes '@' for 9 and
// refuses a plain 9: skelv spells digits by the version reply.
TEST(SkelvFleet, DownloadsToEveryPortAtOnceWithALineAndALogRowEach) {
  const std::string dir = MakeScratchDir(), file = dir + "/sample.qrs", log = dir + "/log.csv";
  WriteWholeFile(file, Sample(0x01, 0x02));
  Simulate nak("--reply nak"), stall("--reply none --no-version"),
      ok("--version Ver:1.00 --reply done --store " + dir + "/stored.qrs");
  const Outcome o = RunSkelv("download " + file + " --port " + nak.device + " --port " +
                             stall.device + " --port " + ok.device + " --log " + log);
  EXPECT_EQ(o.Said(), "[1] " + nak.device +
                          ": failed: block 0: 4 replies other than \"ACK\" or \"DONE\"\n" +
                          stall.device + ": failed: block 0: no reply within 1000 ms\n" +
                          ok.device + ": ok\n");
  EXPECT_EQ(ReadWholeFile(dir + "/stored.qrs"), Sample(0xCD, 0x32));
  EXPECT_EQ(ReadWholeFile(file), Sample(0x01, 0x02));  // the file keeps its old pair
  // Every row starts with the local time.
  const std::regex time(R"((^|\n)\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d{4},)");
  EXPECT_EQ(
      std::regex_replace(ReadText(log), time, "$1"),
      "time,port,version,result,differing fields\n" + nak.device +
          ",Ver:2.00,\"failed: block 0: 4 replies other than \"\"ACK\"\" or \"\"DONE\"\"\",\n" +
          stall.device + ",,failed: block 0: no reply within 1000 ms,\n" + ok.device +
          ",Ver:1.00,ok,\n");
}

// From many ports, each port that answered writes FILE-PORT, a failed one
// nothing; from one port, FILE itself. The line settings go to every port:
// the pseudo-terminal carries the rate.
TEST(SkelvFleet, ReadsEveryPortIntoItsOwnFile) {
  const std::string dir = MakeScratchDir();
  WriteWholeFile(dir + "/served.qrs", Sample(0x5A, 0xA5));
  Simulate good("--image " + dir + "/served.qrs --lowercase --delay-ms 1 --version Ver:1.00"),
      stalls("--stall-block 3 2>" + dir + "/lines");
  const Outcome o =
      RunSkelv("read -o " + dir + "/fleet.qrs --port " + good.device + " --port " + stalls.device +
               " --baud 9600 --data-bits 7 --parity even --flow hardware");
  EXPECT_EQ(o.Said(), "[1] " + good.device + ": ok\n" + stalls.device +
                          ": failed: read-back block 3: no reply within 2000 ms\n");
  const auto name = [&dir](const Simulate& s) {
    return dir + "/fleet-" + std::filesystem::path(s.device).filename().string() + ".qrs";
  };
  EXPECT_EQ(ReadWholeFile(name(good)), Sample(0x5A, 0xA5));
  EXPECT_FALSE(std::filesystem::exists(name(stalls)));
  EXPECT_EQ(LinesSeen(dir + "/lines"), "9600 ");
  EXPECT_FALSE(std::filesystem::exists(dir + "/fleet.qrs"));
  EXPECT_EQ(RunSkelv("read --port " + good.device + " -o " + dir + "/one.qrs").Said(),
            "[0] " + good.device + ": ok\n");
  EXPECT_EQ(ReadWholeFile(dir + "/one.qrs"), Sample(0x5A, 0xA5));
  EXPECT_EQ(good.Stop(SIGTERM), 0);
}

// The file sets scan mode Continuous and suffix HT over a fresh scanner's
// Auto Off and Enter.
constexpr char kFields[] = R"([{"name":"scanningMode","before":"Auto Off","after":"Continuous"},)"
                           R"({"name":"suffix","before":"[Enter]","after":"[HT]"}]})";

std::string Json(const Simulate& s, bool changed, const char* fields) {
  return R"({"port":")" + s.device + R"(","changed":)" + (changed ? "true" : "false") +
         R"(,"failed":false,"reason":null,"fields":)" + fields + "\n";
}

// Apply reads every scanner first and downloads only to those that differ:
// a simulator writes its --store file only when it takes an image over. A
// scanner that acknowledges everything but keeps its image fails apply, and
// download --verify, with the fields that did not land; diff then names them.
TEST(SkelvApply, DownloadsOnlyWhereTheScannerDiffersAndVerifiesWhatLanded) {
  const std::string dir = MakeScratchDir(), file = dir + "/site.qrs";
  std::vector<uint8_t> bytes = FactoryBytes();
  bytes[4] = 0x11, bytes[31] = 0x09;
  WriteWholeFile(file, bytes);
  Simulate same("--image " + file + " --store " + dir + "/same.qrs"),
      first("--store " + dir + "/first.qrs"), second(""), keeps("--keep-image");
  const std::string both = file + " --port " + same.device + " --port " + first.device;
  EXPECT_EQ(RunSkelv("apply --check --diff " + both).Said(),
            "[0] " + same.device + ": unchanged\n" + first.device +
                ": would change: scanningMode, suffix\n"
                "  scanningMode: Auto Off -> Continuous\n  suffix: [Enter] -> [HT]\n");
  EXPECT_EQ(RunSkelv("apply --check --json " + both).Said(),
            "[0] " + Json(same, false, "[]}") + Json(first, true, kFields));
  EXPECT_FALSE(std::filesystem::exists(dir + "/first.qrs"));
  EXPECT_EQ(RunSkelv("apply " + both + " --log " + dir + "/apply.csv").Said(),
            "[0] " + same.device + ": unchanged\n" + first.device + ": changed (2 fields)\n");
  EXPECT_TRUE(ReadText(dir + "/apply.csv").ends_with(",changed (2 fields),scanningMode suffix\n"));
  EXPECT_EQ(
      RunSkelv("apply --json " + both + " --port " + second.device).Said(),
      "[0] " + Json(same, false, "[]}") + Json(first, false, "[]}") + Json(second, true, kFields));
  EXPECT_FALSE(std::filesystem::exists(dir + "/same.qrs"));
  EXPECT_EQ(RunSkelv("apply --json " + file + " --port " + keeps.device).Said(),
            "[3] {\"port\":\"" + keeps.device +
                R"(","changed":false,"failed":true,"reason":"the read-back differs in )"
                R"(scanningMode, suffix","fields":)" +
                kFields + "\n");
  EXPECT_EQ(RunSkelv("download --verify " + file + " --port " + keeps.device + " " + second.device +
                     " --log " + dir + "/log.csv")
                .Said(),
            "[3] " + keeps.device + ": failed: the read-back differs in scanningMode, suffix\n" +
                second.device + ": ok\n");
  EXPECT_NE(ReadText(dir + "/log.csv").find(",scanningMode suffix\n"), std::string::npos);
  EXPECT_EQ(RunSkelv("diff " + file + " --port " + second.device).Said(), "[0] ");
  EXPECT_EQ(RunSkelv("diff --port " + keeps.device + " " + file).Said(),
            "[1] scanningMode: Auto Off -> Continuous\nsuffix: [Enter] -> [HT]\n");
}

// Each port on its own thread: the five take about as long as the slowest
// alone (6 s), where one after the other they would take about 19 s. The
// simulators report each rate they are spoken to at: the factory 9600 first,
// then the 4800 given, then the rest in list order; the 30 settings with 7
// data bits or parity, which a pseudo-terminal does not take, are passed over
// without a word and cost nothing. Garbage at the right rate is no answer.
TEST(SkelvProbe, FindsEveryScannerAtOnceTryingTheLikeliestFirst) {
  const std::string dir = MakeScratchDir();
  Simulate s38400("--baud 38400"), s4800("--baud 4800 2>" + dir + "/4800"),
      s1200("--baud 1200 --version Ver:1.00 2>" + dir + "/1200"), silent("--no-version"),
      garbage("--version 'Ver:2.00 x'");
  const auto start = std::chrono::steady_clock::now();
  const Outcome o =
      RunSkelv("probe --baud 4800 --port " + s38400.device + " " + s4800.device + " --port " +
               s1200.device + " " + silent.device + " " + garbage.device);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(12));
  const std::string none = ": no scanner answered at any of 36 line settings\n";
  EXPECT_EQ(o.Said(), "[1] " + s38400.device + ": 38400 8 data bits, parity none (Ver:2.00)\n" +
                          s4800.device + ": 4800 8 data bits, parity none (Ver:2.00)\n" +
                          s1200.device + ": 1200 8 data bits, parity none (Ver:1.00)\n" +
                          silent.device + none + garbage.device + none);
  EXPECT_EQ(LinesSeen(dir + "/4800"), "9600 4800 ");
  EXPECT_EQ(LinesSeen(dir + "/1200"), "9600 4800 38400 19200 2400 1200 ");
  EXPECT_EQ(RunSkelv("probe --json --port " + s38400.device).Said(),
            "[0] {\"port\":\"" + s38400.device +
                "\",\"found\":true,\"baud\":38400,\"dataBits\":8,\"parity\":\"none\","
                "\"version\":\"Ver:2.00\"}\n");
}

// --line auto finds the rate before the transfer or the listening, for every
// command with line options. A scan typed while the monitor probes may be
// lost, so one is typed every 300 ms until the monitor prints one.
TEST(SkelvProbe, LineAutoDownloadsDiffsAndMonitorsAtTheRateFound) {
  const std::string dir = MakeScratchDir(), file = dir + "/sample.qrs";
  WriteWholeFile(file, Sample(0x01, 0x02));
  Simulate at2400("--baud 2400" + ScanPipe(dir));
  EXPECT_EQ(RunSkelv("download --line auto --verify " + file + " --port " + at2400.device).Said(),
            "[0] " + at2400.device + ": ok\n");
  EXPECT_EQ(RunSkelv("diff --line auto --baud 2400 " + file + " --port " + at2400.device).Said(),
            "[0] ");
  EXPECT_EQ(RunSkelv("download " + file + " --port " + at2400.device).Said(),
            "[1] " + at2400.device + ": failed: block 0: no reply within 1000 ms\n");
  auto line = Start("monitor --line auto --count 1 --port " + at2400.device, at2400.device);
  for (int i = 0; i < 100 && line.wait_for(300ms) != std::future_status::ready; ++i)
    Type(dir, "0012345[CR][LF]\n");
  EXPECT_EQ(line.get().Said(), "[0] 0012345[CR][LF]\n");
  EXPECT_TRUE(ReadText(dir + "/err")
                  .ends_with("skelv simulate: line set to 2400 baud, 8 data bits, parity none\n"));
}

}  // namespace
