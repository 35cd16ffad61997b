// skelv report as a user runs it: the golden reports byte for byte on stdout,
// key mode from byte 0 or from --keys; and files that are no settings file.
#include <gtest/gtest.h>

#include <string>

#include "tests/report/golden_images.h"
#include "tests/report/golden_report.h"
#include "tests/test_support.h"

namespace {

TEST(SkelvReport, PrintsTheGoldenReports) {
  const std::string dir = MakeScratchDir();
  const char* const keys[] = {"wedge", "rs232", "wand"};
  for (const GoldenCase& c : GoldenCases()) {
    const std::string path = dir + "/" + c.name + ".qrs";
    WriteWholeFile(path, {c.image.bytes.begin(), c.image.bytes.end()});
    const std::string given = std::string(" --keys ") + keys[static_cast<int>(c.keys)];
    // Without --keys the keys are read as byte 0 says.
    for (const std::string& option : {given, c.switched ? given : std::string()}) {
      const Outcome o = RunSkelv("report " + path + option);
      EXPECT_EQ(o.status, 0) << c.name << option << ": " << o.err;
      EXPECT_EQ(o.err, "") << c.name << option;
      EXPECT_EQ(o.out, GoldenReport(c.name)) << c.name << option;
    }
  }
}

TEST(SkelvReport, FilesThatAreNoSettingsFileFail) {
  const std::string dir = MakeScratchDir();
  WriteWholeFile(dir + "/short.qrs", std::vector<uint8_t>(255, 0x01));
  WriteWholeFile(dir + "/long.qrs", std::vector<uint8_t>(257, 0x01));
  WriteWholeFile(dir + "/empty.qrs", {});
  for (const std::string name : {"missing.qrs", "short.qrs", "long.qrs", "empty.qrs", "."}) {
    const Outcome o = RunSkelv("report " + dir + "/" + name);
    EXPECT_EQ(o.status, 1) << name;
    EXPECT_EQ(o.errLines(), 1) << name << ": " << o.err;
    EXPECT_NE(o.err.find(dir + "/" + name), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "") << name;
  }
}

}  // namespace
