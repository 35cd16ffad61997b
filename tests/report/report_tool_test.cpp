// skelv report as a user runs it: the report on stdout byte for byte, the key
// mode from the file or from --keys, and files that are no settings file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "settings/factory_defaults.h"
#include "tests/report/golden_report.h"
#include "tests/test_support.h"
#include "tests/tool_runner.h"

namespace {

Outcome Skelv(const std::string& args) { return RunSkelv(SKELV_PATH, args); }

std::string WriteImage(const SettingsImage& image) {
  const std::string path = MakeScratchDir() + "/image.qrs";
  WriteWholeFile(path, std::vector<uint8_t>(image.bytes.begin(), image.bytes.end()));
  return path;
}

std::string SuffixLine(const std::string& report) {
  const size_t at = report.find("    Suffix Settings : ");
  return at == std::string::npos ? "" : report.substr(at, report.find('\n', at) + 1 - at);
}

TEST(SkelvReport, DefaultsFileGivesTheGoldenReport) {
  const std::string path = MakeScratchDir() + "/factory.qrs";
  ASSERT_EQ(Skelv("defaults -o " + path).status, 0);
  const Outcome o = Skelv("report " + path);
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out, FactoryReportGolden());
  EXPECT_EQ(Skelv("report " + path + " --keys wedge").out, FactoryReportGolden());
}

TEST(SkelvReport, KeyModeComesFromByteZeroUnlessGiven) {
  SettingsImage image = FactoryImage();
  const struct {
    unsigned interfaceType;
    const char* keys;
    const char* suffix;
  } cases[] = {
      {1, "", "[Enter]"},      {0, "", "[CR]"},      {250, "", "[CR]"},   {7, "", "[Enter]"},
      {0, "wedge", "[Enter]"}, {1, "rs232", "[CR]"}, {1, "wand", "[CR]"}, {250, "wedge", "[Enter]"},
  };
  for (const auto& c : cases) {
    Set(image, field::interfaceType, c.interfaceType);
    const std::string keys = *c.keys ? std::string(" --keys ") + c.keys : "";
    const Outcome o = Skelv("report " + WriteImage(image) + keys);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(SuffixLine(o.out), "    Suffix Settings : " + std::string(c.suffix) + " \r\n")
        << c.interfaceType << keys;
  }
}

TEST(SkelvReport, FilesThatAreNoSettingsFileFail) {
  const std::string dir = MakeScratchDir();
  WriteWholeFile(dir + "/short.qrs", std::vector<uint8_t>(255, 0x01));
  WriteWholeFile(dir + "/long.qrs", std::vector<uint8_t>(257, 0x01));
  WriteWholeFile(dir + "/empty.qrs", {});
  for (const std::string name : {"missing.qrs", "short.qrs", "long.qrs", "empty.qrs", "."}) {
    const std::string path = dir + "/" + name;
    const Outcome o = Skelv("report " + path);
    EXPECT_EQ(o.status, 1) << name;
    EXPECT_EQ(Lines(o.err), 1) << name << ": " << o.err;
    EXPECT_NE(o.err.find(path), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "") << name;
  }
}

TEST(SkelvReport, MisuseIsAUsageError) {
  const std::string path = WriteImage(FactoryImage());
  const std::string misuses[] = {"report", "report " + path + " --keys",
                                 "report " + path + " --keys usb", "report " + path + " " + path};
  for (const std::string& args : misuses) {
    const Outcome o = Skelv(args);
    EXPECT_EQ(o.status, 2) << args;
    EXPECT_EQ(Lines(o.err), 1) << args;
    EXPECT_EQ(o.out, "") << args;
  }
}

}  // namespace
