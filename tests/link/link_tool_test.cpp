// skelv download, read and simulate as a user runs them, against the
// simulated scanner on a pseudo-terminal.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "tests/link/link_fixture.h"
#include "tests/test_support.h"

namespace {

std::vector<uint8_t> BytesOf(const SettingsImage& image) {
  return {image.bytes.begin(), image.bytes.end()};
}

// Bytes 0 to 253 sum to 0x1234; 254 and 255 hold a stale pair.
SettingsImage Sample(uint8_t stale = 0x01) {
  SettingsImage image;
  std::fill_n(image.bytes.begin(), 18, 0xFF);
  image.bytes[18] = 0x46;
  image.bytes[254] = image.bytes[255] = stale;
  return image;
}

class SkelvLink : public LinkTest {
 protected:
  void SetUp() override { WriteWholeFile(file, BytesOf(Sample())); }
  std::string dir = MakeScratchDir();
  std::string file = dir + "/sample.qrs";
};

TEST_F(SkelvLink, DownloadThenReadGivesTheSameBytes) {
  StartPeer();
  const Outcome down = RunSkelv("download " + file + " --port " + pty.path);
  EXPECT_EQ(down.status, 0) << down.err;
  EXPECT_EQ(down.out + down.err, "Downloaded completely!\n");
  EXPECT_EQ(ReadWholeFile(file), BytesOf(Sample()));  // the file keeps its old pair
  const Outcome up = RunSkelv("read --port " + pty.path + " -o " + dir + "/back.qrs" +
                              " --baud 9600 --data-bits 7 --parity even --flow hardware");
  EXPECT_EQ(up.status, 0) << up.err;
  EXPECT_EQ(up.out + up.err, "");
  SettingsImage want = Sample();
  want.bytes[254] = 0x34;
  want.bytes[255] = 0xCB;
  EXPECT_EQ(ReadWholeFile(dir + "/back.qrs"), BytesOf(want));
}

TEST_F(SkelvLink, ProgressGoesToATerminal) {
  delayMs = 1;
  StartPeer();
  PseudoTerminal terminal;
  ASSERT_TRUE(OpenPseudoTerminal(terminal));
  EXPECT_EQ(RunSkelv("download " + file + " --port " + pty.path, terminal.path).status, 0);
  std::string shown;
  char buffer[512];
  for (ssize_t got; (got = read(terminal.master, buffer, sizeof buffer)) > 0;)
    shown.append(buffer, static_cast<size_t>(got));
  ClosePseudoTerminal(terminal);
  EXPECT_NE(shown.find("\rDownloading...   0%"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\rDownloading... 100%\n"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("105%"), std::string::npos) << shown;
}

TEST_F(SkelvLink, FailedTransfersSaySoInOneLineAndLeaveTheFiles) {
  simulator = MakeSimulator({.blockReply = BlockReply::Nak, .stallBlock = 3}, {});
  StartPeer();
  const Outcome down = RunSkelv("download " + file + " --port " + pty.path);
  EXPECT_EQ(down.status, 1);
  EXPECT_EQ(down.out + down.err,
            "skelv download: failed at block 0: 4 replies other than \"ACK\" or \"DONE\"\n");
  EXPECT_EQ(ReadWholeFile(file), BytesOf(Sample()));
  const Outcome up = RunSkelv("read --port " + pty.path + " -o " + file);
  EXPECT_EQ(up.status, 1);
  EXPECT_EQ(up.out + up.err, "skelv read: failed at read-back block 3: no reply within 2000 ms\n");
  EXPECT_EQ(ReadWholeFile(file), BytesOf(Sample()));

  const Outcome missing = RunSkelv("download " + file + " --port /dev/skelv-missing");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "skelv download: cannot open /dev/skelv-missing: No such file or directory\n");
  const Outcome refused = RunSkelv("read --port /dev/null -o " + dir + "/out.qrs");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err.rfind("skelv read: /dev/null refused the line settings: ", 0), 0u);
  EXPECT_EQ(refused.errLines(), 1);
  EXPECT_FALSE(std::filesystem::exists(dir + "/out.qrs"));
  const Outcome unreadable = RunSkelv("download " + dir + "/none.qrs --port /dev/null");
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "skelv download: cannot read " + dir + "/none.qrs\n");
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
    if (pid > 0) kill(pid, signal);
    const int status = pclose(std::exchange(out, nullptr));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  FILE* out;
  pid_t pid = 0;
  std::string device;
};

TEST_F(SkelvLink, SimulateAnswersAsItsOptionsSayAndStopsOnASignal) {
  WriteWholeFile(dir + "/served.qrs", BytesOf(Sample(0x9F)));
  Simulate child("--image " + dir + "/served.qrs --lowercase --delay-ms 2 --version Ver:1.00" +
                 " --reply done --store " + dir + "/stored.qrs");
  ASSERT_EQ(OpenScannerPort(port, child.device.c_str(), PortSettings{}), PortOpenResult::Opened)
      << child.device;
  SettingsImage image;
  ASSERT_EQ(ReadBackImage(port, image, TransferProgress{}), 1);
  EXPECT_EQ(image.bytes, Sample(0x9F).bytes);
  image.bytes[20] = 0x99;  // an old scanner takes '@' for 9 and nothing else
  ASSERT_EQ(DownloadImage(port, image, TransferProgress{}), 1);
  EXPECT_EQ(ReadWholeFile(dir + "/stored.qrs"), BytesOf(image));
  CloseScannerPort(port);
  // The device opens again after a client closed it.
  ASSERT_EQ(OpenScannerPort(port, child.device.c_str(), PortSettings{}), PortOpenResult::Opened);
  SettingsImage again;
  ASSERT_EQ(ReadBackImage(port, again, TransferProgress{}), 1);
  EXPECT_EQ(again.bytes, image.bytes);
  EXPECT_EQ(child.Stop(SIGTERM), 0);
}

}  // namespace
