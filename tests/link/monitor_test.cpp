// skelv monitor against scans typed into skelv simulate, and against bytes
// written straight into a pseudo-terminal at chosen moments.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <regex>
#include <thread>

#include "tests/test_support.h"
#include "tools/pty.h"

namespace {

using namespace std::chrono_literals;

// Waits (at most 10 s, to catch a hang) until a process holds `device` as the link does.
bool Held(const std::string& device) {
  for (int i = 0; i < 1000; ++i) {
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const bool locked = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (fd >= 0) close(fd);
    if (locked) return true;
    std::this_thread::sleep_for(10ms);
  }
  return false;
}

std::future<Outcome> Start(const std::string& args, const std::string& device) {
  auto run =
      std::async(std::launch::async, RunSkelv, args, std::string(), std::string("/dev/null"));
  EXPECT_TRUE(Held(device));
  return run;
}

// skelv simulate reading its scans from a named pipe, its errors into a file.
struct ScanningSimulator {
  explicit ScanningSimulator(const std::string& dir, const std::string& options = "")
      : input(dir + "/scans"), errors(dir + "/err") {
    mkfifo(input.c_str(), 0600);
    out =
        popen(("echo $$; exec " SKELV_PATH " simulate " + options + " 2>" + errors + " <>" + input)
                  .c_str(),
              "r");
    char line[256];
    if (fgets(line, sizeof line, out)) pid = std::atoi(line);
    if (fgets(line, sizeof line, out)) device.assign(line, std::strcspn(line, "\n"));
  }
  ~ScanningSimulator() {
    kill(pid, SIGTERM);
    pclose(out);
  }
  void Type(const std::string& lines) const {
    FILE* pipe = fopen(input.c_str(), "w");
    fputs(lines.c_str(), pipe);
    fclose(pipe);
  }
  std::string input, errors, device;
  FILE* out = nullptr;
  pid_t pid = 0;
};

const std::string kLongScanTyped = "[x00][[]] [DEL][x80][xFF]\t" + std::string(192, 'Z');
const std::string kLongScanText = "[x00][[]][Space][DEL][x80][xFF][HT]" + std::string(192, 'Z');

TEST(SkelvMonitor, PrintsEachScanTheSimulatorSendsInKeyNames) {
  const std::string dir = MakeScratchDir();
  ScanningSimulator scanner(dir);
  auto lines = Start("monitor --count 3 --port " + scanner.device, scanner.device);
  scanner.Type("12345[CR][LF]\n[NOSUCH]9\n[STX]ABC[ETX]\n" + kLongScanTyped + "\n");
  EXPECT_EQ(lines.get().Said(), "[0] 12345[CR][LF]\n[STX]ABC[ETX]\n" + kLongScanText + "\n");
  const std::vector<uint8_t> errors = ReadWholeFile(scanner.errors);
  EXPECT_EQ(std::string(errors.begin(), errors.end()),
            "skelv simulate: scan not sent: [NOSUCH] names no character\n");

  auto json =
      Start("monitor --json --count 3 --port " + scanner.device + " --baud 38400", scanner.device);
  scanner.Type("12345[CR][LF]\n[STX]ABC[ETX]\n" + kLongScanTyped + "\n");
  std::string want = "[0] ", longHex = "005B5D207F80FF09";
  for (int i = 0; i < 192; ++i) longHex += "5A";
  for (const auto& [hex, text] :
       {std::pair<std::string, std::string>{"31323334350D0A", "12345[CR][LF]"},
        {"0241424303", "[STX]ABC[ETX]"},
        {longHex, kLongScanText}})
    want += R"({"port":")" + scanner.device + R"(","hex":")" + hex + R"(","text":")" + text +
            R"(","length":)" + std::to_string(hex.size() / 2) + "}\n";
  const std::regex time(R"("time":"\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d{4}",)");
  EXPECT_EQ(std::regex_replace(json.get().Said(), time, ""), want);
}

// A pause of 200 ms ends a scan, one of 2 ms does not; --hex adds the bytes.
// The probe comes first; a scan typed while it runs may be lost, so one is
// typed every 300 ms until the monitor prints one.
TEST(SkelvMonitor, ListensAtTheLineSettingsFoundWithLineAuto) {
  const std::string dir = MakeScratchDir();
  ScanningSimulator scanner(dir, "--baud 2400");
  auto line = Start("monitor --line auto --count 1 --port " + scanner.device, scanner.device);
  for (int i = 0; i < 100 && line.wait_for(300ms) != std::future_status::ready; ++i)
    scanner.Type("0012345[CR][LF]\n");
  EXPECT_EQ(line.get().Said(), "[0] 0012345[CR][LF]\n");
  const std::vector<uint8_t> errors = ReadWholeFile(scanner.errors);
  EXPECT_TRUE(std::string(errors.begin(), errors.end())
                  .ends_with("skelv simulate: line set to 2400 baud, 8 data bits, parity none\n"));
}

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
  FILE* out = popen(("echo $$; exec " SKELV_PATH " monitor --port " + pty.path).c_str(), "r");
  char line[64] = "";
  ASSERT_TRUE(fgets(line, sizeof line, out));
  const pid_t pid = std::atoi(line);
  ASSERT_TRUE(Held(pty.path));
  EXPECT_EQ(write(pty.master, "7\n", 2), 2);
  pollfd ready{fileno(out), POLLIN, 0};
  EXPECT_EQ(poll(&ready, 1, 10000), 1);  // at most 10 s, to catch a hang
  EXPECT_TRUE(fgets(line, sizeof line, out));
  EXPECT_STREQ(line, "7[LF]\n");
  kill(pid, SIGINT);
  EXPECT_EQ(pclose(out), 0);
  EXPECT_EQ(RunSkelv("monitor --timeout 0.1 --port " + pty.path).Said(), "[0] ");
  EXPECT_EQ(RunSkelv("monitor --timeout 0.1 --count 1 --port " + pty.path).Said(),
            "[1] skelv monitor: 0 of 1 scans came before the time-out\n");
  ClosePseudoTerminal(pty);
}

}  // namespace
