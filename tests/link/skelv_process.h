// skelv as the link tool tests run it beside themselves: a child process with
// its stdout on a pipe, the simulator among them and the scans typed into it,
// the wait for a port to be taken, and whole text files.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <future>
#include <string>
#include <thread>

#include "tests/test_support.h"

// `skelv ARGS` run by a shell whose first line is its pid, killed at the end.
struct Child {
  explicit Child(const std::string& args)
      : out(popen(("echo $$; exec " SKELV_PATH " " + args).c_str(), "r")),
        pid(std::atoi(Line().c_str())) {}
  ~Child() { Stop(SIGKILL); }
  // The next line of stdout without its LF; empty at the end.
  std::string Line() {
    char line[256] = "";
    if (out && !fgets(line, sizeof line, out)) line[0] = '\0';
    return {line, std::strcspn(line, "\n")};
  }
  int Stop(int signal) {  // the exit status
    if (!out) return -1;
    kill(pid, signal);
    const int status = pclose(out);
    out = nullptr;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  FILE* out;
  pid_t pid;
};

// `skelv simulate ARGS`; its first line names the device it serves.
struct Simulate : Child {
  explicit Simulate(const std::string& args) : Child("simulate " + args), device(Line()) {}
  std::string device;
};

// Arguments for skelv simulate to send the scans typed into the named pipe
// DIR/scans, and to write its errors into DIR/err.
inline std::string ScanPipe(const std::string& dir) {
  mkfifo((dir + "/scans").c_str(), 0600);
  return " 2>" + dir + "/err <>" + dir + "/scans";
}

inline void Type(const std::string& dir, const std::string& lines) {
  FILE* pipe = fopen((dir + "/scans").c_str(), "w");
  fputs(lines.c_str(), pipe);
  fclose(pipe);
}

// Waits (at most 10 s, to catch a hang) until a process holds `device` as the link does.
inline bool Held(const std::string& device) {
  for (int i = 0; i < 1000; ++i) {
    const int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    const bool locked = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (fd >= 0) close(fd);
    if (locked) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

// RunSkelv(ARGS) on its own thread, once it holds `device`.
inline std::future<Outcome> Start(const std::string& args, const std::string& device) {
  auto run =
      std::async(std::launch::async, RunSkelv, args, std::string(), std::string("/dev/null"));
  EXPECT_TRUE(Held(device));
  return run;
}

inline std::string ReadText(const std::string& path) {
  const std::vector<uint8_t> bytes = ReadWholeFile(path);
  return {bytes.begin(), bytes.end()};
}
