// skelv simulate, download and read as a user runs them, and the library
// against the simulator child.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "link/connection.h"
#include "link/transfer.h"
#include "settings/factory_defaults.h"
#include "tests/link/simulator_process.h"
#include "tests/test_support.h"
#include "tests/tool_runner.h"
#include "tools/pty.h"

namespace {

// Runs skelv with `args`; stderr goes to `errPath` when given.
Outcome Skelv(const std::string& args, const std::string& errPath = "") {
  return RunSkelv(SKELV_PATH, args, errPath);
}

std::vector<uint8_t> Bytes(const SettingsImage& image) {
  return std::vector<uint8_t>(image.bytes.begin(), image.bytes.end());
}

// Bytes 0 to 253 sum to 0x1234; 254 and 255 hold a stale pair.
SettingsImage SampleImage() {
  SettingsImage image;
  for (int i = 0; i < 18; ++i) image.bytes[i] = 0xFF;
  image.bytes[18] = 0x46;
  image.bytes[254] = 0x01;
  image.bytes[255] = 0x02;
  return image;
}

class SimulatorChild : public ::testing::Test {
 protected:
  void TearDown() override {
    StopSimulator(simulator, SIGKILL);
    ClosePort(port);
    replyDeadlines = kReplyDeadlines;
  }
  void Start(const std::vector<std::string>& args) {
    ASSERT_TRUE(StartSimulator(simulator, args));
  }
  void Open() {
    ASSERT_EQ(OpenScannerPort(port, simulator.device.c_str(), PortSettings{}),
              PortOpenResult::Opened)
        << PortErrorText();
  }

  SimulatorProcess simulator;
  Port port;
  std::string dir = MakeScratchDir();
};

TEST_F(SimulatorChild, DownloadThenReadGivesTheSameBytes) {
  const std::string file = dir + "/sample.qrs";
  WriteWholeFile(file, Bytes(SampleImage()));
  Start({"--store", dir + "/stored.qrs"});

  const Outcome down = Skelv("download " + file + " --port " + simulator.device);
  EXPECT_EQ(down.status, 0) << down.err;
  EXPECT_EQ(down.out, "Downloaded completely!\n");
  EXPECT_EQ(down.err, "");
  EXPECT_EQ(ReadWholeFile(file), Bytes(SampleImage()));

  SettingsImage want = SampleImage();
  want.bytes[254] = 0x34;
  want.bytes[255] = 0xCB;
  EXPECT_EQ(ReadWholeFile(dir + "/stored.qrs"), Bytes(want));

  const Outcome up = Skelv("read --port " + simulator.device + " -o " + dir + "/back.qrs" +
                           " --baud 9600 --data-bits 7 --parity even --flow hardware");
  EXPECT_EQ(up.status, 0) << up.err;
  EXPECT_EQ(up.out, "");
  EXPECT_EQ(up.err, "");
  EXPECT_EQ(ReadWholeFile(dir + "/back.qrs"), Bytes(want));
  EXPECT_EQ(StopSimulator(simulator, SIGTERM), 0);
}

TEST_F(SimulatorChild, ProgressGoesToATerminal) {
  const std::string file = dir + "/sample.qrs";
  WriteWholeFile(file, Bytes(SampleImage()));
  Start({"--delay-ms", "1"});
  PseudoTerminal terminal;
  ASSERT_TRUE(OpenPseudoTerminal(terminal));
  const Outcome down = Skelv("download " + file + " --port " + simulator.device, terminal.path);
  EXPECT_EQ(down.status, 0);
  std::string shown;
  char buffer[512];
  for (ssize_t got; (got = read(terminal.master, buffer, sizeof buffer)) > 0;)
    shown.append(buffer, static_cast<size_t>(got));
  ClosePseudoTerminal(terminal);
  EXPECT_NE(shown.find("\rDownloading...   0%"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\rDownloading... 100%\n"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("105%"), std::string::npos) << shown;
}

TEST_F(SimulatorChild, RefusedDownloadIsOneLineAndStatusOne) {
  const std::string file = dir + "/sample.qrs";
  WriteWholeFile(file, Bytes(SampleImage()));
  Start({"--reply", "nak"});
  const Outcome o = Skelv("download " + file + " --port " + simulator.device);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err,
            "skelv download: failed at block 0: 4 replies other than \"ACK\" or \"DONE\"\n");
  EXPECT_EQ(ReadWholeFile(file), Bytes(SampleImage()));
}

TEST_F(SimulatorChild, FailedReadLeavesTheOutputFileAlone) {
  Start({"--stall-block", "3"});
  const std::string file = dir + "/old.qrs";
  WriteWholeFile(file, {1, 2, 3});
  const Outcome o = Skelv("read --port " + simulator.device + " -o " + file);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "skelv read: failed at read-back block 3: no reply within 2000 ms\n");
  EXPECT_EQ(ReadWholeFile(file), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(SimulatorChild, OptionsShapeTheAnswers) {
  SettingsImage served = FactoryImage();
  served.bytes[100] = 0x9F;
  WriteWholeFile(dir + "/served.qrs", Bytes(served));
  Start({"--image", dir + "/served.qrs", "--lowercase", "--delay-ms", "2", "--version",
         "Ver:1.00", "--reply", "done", "--store", dir + "/stored.qrs"});
  Open();
  SettingsImage image;
  ASSERT_EQ(ReadBackImage(port, image, TransferProgress{}), 1);
  EXPECT_EQ(image.bytes, served.bytes);

  // An old scanner takes '@' for 9 only: the round trip shows it was sent so.
  SettingsImage sent = SampleImage();
  sent.bytes[20] = 0x99;
  ASSERT_EQ(DownloadImage(port, sent, TransferProgress{}), 1);
  EXPECT_EQ(ReadWholeFile(dir + "/stored.qrs"), Bytes(sent));
  CloseScannerPort(port);

  // The device can be opened again after a client closed it.
  Open();
  ASSERT_EQ(ReadBackImage(port, image, TransferProgress{}), 1);
  EXPECT_EQ(image.bytes, sent.bytes);
}

TEST_F(SimulatorChild, SilentVersionAndStop) {
  replyDeadlines = {300, 300};
  Start({"--no-version"});
  Open();
  EXPECT_EQ(QueryScannerVersion(port), 0);
  EXPECT_EQ(StopSimulator(simulator, SIGINT), 0);
}

TEST(SkelvLink, PortFailuresAreOneLineAndStatusOne) {
  const std::string dir = MakeScratchDir();
  const std::string file = dir + "/sample.qrs";
  WriteWholeFile(file, Bytes(SampleImage()));

  const Outcome missing = Skelv("download " + file + " --port /dev/skelv-missing");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "skelv download: cannot open /dev/skelv-missing: No such file or directory\n");

  const Outcome refused = Skelv("read --port /dev/null -o " + dir + "/out.qrs");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(Lines(refused.err), 1);
  EXPECT_EQ(refused.err.rfind("skelv read: /dev/null refused the line settings: ", 0), 0u)
      << refused.err;
  EXPECT_FALSE(std::filesystem::exists(dir + "/out.qrs"));

  const Outcome unreadable = Skelv("download " + dir + "/none.qrs --port /dev/null");
  EXPECT_EQ(unreadable.status, 1);
  EXPECT_EQ(unreadable.err, "skelv download: cannot read " + dir + "/none.qrs\n");
}

TEST(SkelvLink, MisuseIsStatusTwo) {
  for (const char* args :
       {"download", "download x.qrs", "download x.qrs --port", "download x.qrs --port p --baud 300",
        "download x.qrs --port p --parity mark", "download x.qrs --port p --data-bits 9",
        "download x.qrs --port p --flow rts", "read --port p", "read -o x.qrs",
        "read --port p -o x.qrs extra", "simulate --reply maybe", "simulate --stall-block 16",
        "simulate --version V --no-version", "simulate --delay-ms x", "simulate extra"}) {
    const Outcome o = Skelv(args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(Lines(o.err), 1) << args << ": " << o.err;
    EXPECT_EQ(o.out, "") << args;
  }
}

}  // namespace
