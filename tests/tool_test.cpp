// skelv as a user runs it: commands, usage errors, exit statuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "settings/factory_defaults.h"
#include "tests/test_support.h"

namespace {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

// Runs skelv with `args` (already shell-quoted where needed).
Outcome Skelv(const std::string& args) {
  const std::string dir = MakeScratchDir();
  const std::string command = std::string(SKELV_PATH) + " " + args + " >" + dir + "/out 2>" +
                              dir + "/err </dev/null";
  const int raw = std::system(command.c_str());
  const auto text = [](const std::vector<uint8_t>& b) { return std::string(b.begin(), b.end()); };
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, text(ReadWholeFile(dir + "/out")),
          text(ReadWholeFile(dir + "/err"))};
}

int Lines(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

TEST(SkelvDefaults, WritesTheFactoryImage) {
  const std::string path = MakeScratchDir() + "/x.qrs";
  const Outcome o = Skelv("defaults -o " + path);
  EXPECT_EQ(o.status, 0) << o.err;
  const SettingsImage want = FactoryImage();
  EXPECT_EQ(ReadWholeFile(path), std::vector<uint8_t>(want.bytes.begin(), want.bytes.end()));
  EXPECT_EQ(Skelv("defaults --output " + path).status, 0);
}

TEST(SkelvDefaults, UnwritableTargetFailsWithStatusOne) {
  const Outcome o = Skelv("defaults -o " + MakeScratchDir() + "/missing/x.qrs");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(Lines(o.err), 1);
}

TEST(SkelvUsage, HelpListsTheCommands) {
  const Outcome o = Skelv("--help");
  EXPECT_EQ(o.status, 0);
  EXPECT_NE(o.out.find("defaults"), std::string::npos);
}

TEST(SkelvUsage, MisuseIsOneLineAndStatusTwo) {
  for (const char* args : {"", "frobnicate", "defaults", "defaults -o", "defaults --bogus x",
                           "defaults -o a b"}) {
    const Outcome o = Skelv(args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(Lines(o.err), 1) << args << ": " << o.err;
    EXPECT_EQ(o.out, "") << args;
  }
}

}  // namespace
