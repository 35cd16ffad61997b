// Runs skelv through the shell and collects what it printed.
#include "tests/tool_runner.h"

#include <sys/wait.h>

#include <cstdlib>
#include <vector>

#include "tests/test_support.h"

namespace {
std::string Text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }
}  // namespace

Outcome RunSkelv(const std::string& skelv, const std::string& args, const std::string& errPath) {
  const std::string dir = MakeScratchDir();
  const std::string err = errPath.empty() ? dir + "/err" : errPath;
  const std::string command = skelv + " " + args + " >" + dir + "/out 2>" + err + " </dev/null";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Text(ReadWholeFile(dir + "/out")),
          errPath.empty() ? Text(ReadWholeFile(err)) : ""};
}

int Lines(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}
