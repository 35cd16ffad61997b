// skelv download, read and simulate as a user runs them: the simulator as a
// child process on its own pseudo-terminal, and the transfer commands with it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "tests/test_support.h"

namespace {

// Bytes 0 to 253 sum to 0x12CD, byte 20 puts a 9 into both its digits; the
// checksum pair is as given.
std::vector<uint8_t> Sample(uint8_t checksum, uint8_t complement) {
  std::vector<uint8_t> bytes(256, 0xFF);
  std::fill(bytes.begin() + 18, bytes.end(), 0);
  bytes[18] = 0x46;
  bytes[20] = 0x99;
  bytes[254] = checksum;
  bytes[255] = complement;
  return bytes;
}

// `skelv simulate ARGS` as a child process; the shell's first line is its pid.
struct Simulate {
  explicit Simulate(const std::string& args)
      : out(popen(("echo $$; exec " SKELV_PATH " simulate " + args).c_str(), "r")) {
    char line[256];
    if (out && fgets(line, sizeof line, out)) pid = std::atoi(line);
    if (out && fgets(line, sizeof line, out)) device.assign(line, std::strcspn(line, "\n"));
  }
  ~Simulate() { Stop(SIGKILL); }
  int Stop(int signal) {  // the exit status
    if (!out) return -1;
    kill(pid, signal);
    const int status = pclose(out);
    out = nullptr;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  FILE* out;
  pid_t pid = 0;
  std::string device;
};

// An old scanner takes '@' for 9 and refuses a plain 9, so the download shows
// that skelv spells digits by the version reply.
TEST(SkelvLink, ReadAndDownloadThroughTheSimulator) {
  const std::string dir = MakeScratchDir(), file = dir + "/sample.qrs";
  WriteWholeFile(file, Sample(0x01, 0x02));
  WriteWholeFile(dir + "/served.qrs", Sample(0x5A, 0xA5));
  Simulate child("--image " + dir + "/served.qrs --lowercase --delay-ms 1 --version Ver:1.00" +
                 " --reply done --store " + dir + "/stored.qrs");
  const Outcome up = RunSkelv("read --port " + child.device + " -o " + dir + "/back.qrs" +
                              " --baud 9600 --data-bits 7 --parity even --flow hardware");
  EXPECT_EQ(up.status, 0) << up.err;
  EXPECT_EQ(up.out + up.err, "");
  EXPECT_EQ(ReadWholeFile(dir + "/back.qrs"), Sample(0x5A, 0xA5));
  const Outcome down = RunSkelv("download " + file + " --port " + child.device);
  EXPECT_EQ(down.status, 0) << down.err;
  EXPECT_EQ(down.out + down.err, "Downloaded completely!\n");
  EXPECT_EQ(ReadWholeFile(file), Sample(0x01, 0x02));  // the file keeps its old pair
  EXPECT_EQ(ReadWholeFile(dir + "/stored.qrs"), Sample(0xCD, 0x32));
  EXPECT_EQ(child.Stop(SIGTERM), 0);
}

TEST(SkelvLink, FailuresAreOneLineAndStatusOneAndLeaveTheFiles) {
  const std::string dir = MakeScratchDir(), file = dir + "/sample.qrs", none = dir + "/none.qrs";
  WriteWholeFile(file, Sample(0x01, 0x02));
  Simulate child("--reply nak --stall-block 3");
  const std::pair<std::string, std::string> kCases[] = {
      {"download " + file + " --port " + child.device,
       "skelv download: failed at block 0: 4 replies other than \"ACK\" or \"DONE\"\n"},
      {"read -o " + file + " --port " + child.device,
       "skelv read: failed at read-back block 3: no reply within 2000 ms\n"},
      {"download " + file + " --port /dev/skelv-none",
       "skelv download: cannot open /dev/skelv-none: No such file or directory\n"},
      {"read -o " + none + " --port /dev/null",
       "skelv read: /dev/null refused the line settings: "},
      {"download " + none + " --port /dev/null", "skelv download: cannot read " + none + "\n"}};
  for (const auto& [args, message] : kCases) {
    const Outcome o = RunSkelv(args);
    EXPECT_EQ(o.status, 1) << args;
    EXPECT_EQ((o.out + o.err).substr(0, message.size()), message);
    EXPECT_EQ(o.errLines(), 1) << args;
  }
  EXPECT_EQ(ReadWholeFile(file), Sample(0x01, 0x02));
  EXPECT_FALSE(std::filesystem::exists(none));
  EXPECT_EQ(child.Stop(SIGINT), 0);
}

}  // namespace
