// `skelv simulate` as a child process, for tests and the benchmark.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct SimulatorProcess {
  pid_t pid = -1;
  std::string device;  // the pseudo-terminal it answers on
};

// Starts `skelv simulate ARGS` and reads the device path it prints first.
bool StartSimulator(SimulatorProcess& process, const std::vector<std::string>& args);

// Sends `signal` and returns the exit status, or -1 when it did not exit normally.
int StopSimulator(SimulatorProcess& process, int signal);
