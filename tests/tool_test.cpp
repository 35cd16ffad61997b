// skelv as a user runs it: the defaults command, and usage errors of every command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_support.h"

namespace {

TEST(SkelvDefaults, WritesTheFactoryImageOrFailsWithStatusOne) {
  const std::string dir = MakeScratchDir();
  const Outcome o = RunSkelv("defaults --output " + dir + "/x.qrs");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(ReadWholeFile(dir + "/x.qrs"), FactoryBytes());
  const Outcome failed = RunSkelv("defaults -o " + dir + "/missing/x.qrs");
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.errLines(), 1);
}

// Per command; the first are no command at all.
const std::vector<const char*> kMisuses[] = {
    {"", "frobnicate"},
    {"defaults", "defaults -o", "defaults --bogus x", "defaults -o a b"},
    {"report", "report x.qrs --keys", "report x.qrs --keys usb", "report x.qrs y.qrs"},
    {"download", "download x.qrs", "download x.qrs --port", "download x.qrs --port p --baud 300",
     "download x.qrs --port p --parity mark", "download x.qrs --port p --data-bits 9",
     "download x.qrs --port p --flow rts"},
    {"read --port p", "read -o x.qrs", "read --port p -o x.qrs extra"},
    {"simulate --reply maybe", "simulate --stall-block 16", "simulate --version V --no-version",
     "simulate --delay-ms x", "simulate extra"},
};

TEST(SkelvUsage, MisuseIsOneLineAndStatusTwo) {
  for (const std::vector<const char*>& misuses : kMisuses) {
    for (const char* args : misuses) {
      const Outcome o = RunSkelv(args);
      EXPECT_EQ(o.status, 2) << args;
      EXPECT_EQ(o.errLines(), 1) << args << ": " << o.err;
      EXPECT_EQ(o.out, "") << args;
    }
  }
}

}  // namespace
