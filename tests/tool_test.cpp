// skelv as a user runs it: commands, usage errors, exit statuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/factory_defaults.h"
#include "tests/test_support.h"
#include "tests/tool_runner.h"

namespace {

Outcome Skelv(const std::string& args) { return RunSkelv(SKELV_PATH, args); }

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
