// Starting and stopping the simulator child through a pipe on its stdout.
#include "tests/link/simulator_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

bool StartSimulator(SimulatorProcess& process, const std::vector<std::string>& args) {
  int out[2];
  if (pipe(out) != 0) return false;
  std::vector<std::string> words{SKELV_PATH, "simulate"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  posix_spawn_file_actions_addclose(&actions, out[1]);
  const int spawned = posix_spawn(&process.pid, SKELV_PATH, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (spawned != 0) {
    close(out[0]);
    process.pid = -1;
    return false;
  }
  std::string line;
  char c = 0;
  pollfd p{out[0], POLLIN, 0};
  while (poll(&p, 1, 10000) == 1 && read(out[0], &c, 1) == 1 && c != '\n') line += c;
  close(out[0]);
  process.device = line;
  if (c != '\n' || line.empty()) {
    StopSimulator(process, SIGKILL);
    return false;
  }
  return true;
}

int StopSimulator(SimulatorProcess& process, int signal) {
  if (process.pid <= 0) return -1;
  kill(process.pid, signal);
  int status = 0;
  waitpid(process.pid, &status, 0);
  process.pid = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
