// skelv monitor against scans typed into skelv simulate, and against bytes
// written straight into a pseudo-terminal at chosen moments.
#include <gtest/gtest.h>
#include <poll.h>

#include <regex>

#include "tests/link/skelv_process.h"
#include "tools/pty.h"

namespace {

using namespace std::chrono_literals;

// Plain lines print the same text (see the tests below); the simulator sends
// the scans after one it refuses.
TEST(SkelvMonitor, PrintsEachScanTheSimulatorSendsInKeyNames) {
  const std::string dir = MakeScratchDir();
  Simulate scanner(ScanPipe(dir));
  auto json =
      Start("monitor --json --count 3 --port " + scanner.device + " --baud 38400", scanner.device);
  Type(dir, "12345[CR][LF]\n[NOSUCH]9\n[STX]ABC[ETX]\n[x00][[]] [DEL][x80][xFF]\t" +
                std::string(192, 'Z') + "\n");
  std::string want = "[0] ", longHex = "005B5D207F80FF09";
  for (int i = 0; i < 192; ++i) longHex += "5A";
  for (const auto& [hex, text] :
       {std::pair<std::string, std::string>{"31323334350D0A", "12345[CR][LF]"},
        {"0241424303", "[STX]ABC[ETX]"},
        {longHex, "[x00][[]][Space][DEL][x80][xFF][HT]" + std::string(192, 'Z')}})
    want += R"({"port":")" + scanner.device + R"(","hex":")" + hex + R"(","text":")" + text +
            R"(","length":)" + std::to_string(hex.size() / 2) + "}\n";
  const std::regex time(R"("time":"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d{4}",)");
  EXPECT_EQ(std::regex_replace(json.get().Said(), time, ""), want);
  EXPECT_EQ(ReadText(dir + "/err"), "skelv simulate: scan not sent: [NOSUCH] names no character\n");
}

// A pause of 200 ms ends a scan, one of 2 ms does not; --hex adds the bytes.
TEST(SkelvMonitor, CutsScansAtTheQuietTimeAndPrefixesManyPorts) {
  PseudoTerminal one, two;
  ASSERT_TRUE(OpenPseudoTerminal(one) && OpenPseudoTerminal(two));
  const auto put = [](const PseudoTerminal& pty, const char* bytes) {
    EXPECT_EQ(write(pty.master, bytes, std::strlen(bytes)),
              static_cast<ssize_t>(std::strlen(bytes)));
  };
  auto run = Start("monitor --count 3 --hex --port " + one.path + " --port " + two.path, two.path);
  put(one, "AB");
  std::this_thread::sleep_for(2ms);
  put(one, "CD");
  std::this_thread::sleep_for(200ms);
  put(two, "E\r");
  std::this_thread::sleep_for(200ms);
  put(one, "F");
  EXPECT_EQ(run.get().Said(), "[0] " + one.path + ": ABCD  41 42 43 44\n" + two.path +
                                  ": E[CR]  45 0D\n" + one.path + ": F  46\n");
  ClosePseudoTerminal(one);
  ClosePseudoTerminal(two);
}

// Each line reaches a pipe while the command runs; Ctrl+C and the time-out end
// the command with the port closed again.
TEST(SkelvMonitor, WritesEachLineAtOnceAndStopsOnInterruptOrTimeout) {
  PseudoTerminal pty;
  ASSERT_TRUE(OpenPseudoTerminal(pty));
  Child monitor("monitor --port " + pty.path);
  ASSERT_TRUE(Held(pty.path));
  EXPECT_EQ(write(pty.master, "7\n", 2), 2);
  pollfd ready{fileno(monitor.out), POLLIN, 0};
  EXPECT_EQ(poll(&ready, 1, 10000), 1);  // at most 10 s, to catch a hang
  EXPECT_EQ(monitor.Line(), "7[LF]");
  EXPECT_EQ(monitor.Stop(SIGINT), 0);
  EXPECT_EQ(RunSkelv("monitor --timeout 0.1 --port " + pty.path).Said(), "[0] ");
  EXPECT_EQ(RunSkelv("monitor --timeout 0.1 --count 1 --port " + pty.path).Said(),
            "[1] skelv monitor: 0 of 1 scans came before the time-out\n");
  ClosePseudoTerminal(pty);
}

}  // namespace
