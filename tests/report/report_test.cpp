// The report against its golden files, through ReportText and through the
// process-wide entry point. (The report of arbitrary bytes is fuzzed.)
#include <gtest/gtest.h>

#include <string>

#include "report/settings_report.h"
#include "tests/report/golden_images.h"
#include "tests/report/golden_report.h"

namespace {

// A differing report fails with a diff of its lines.
void ExpectGolden(std::string_view report, const std::string& name) {
  ASSERT_FALSE(GoldenReport(name).empty()) << "no " << name << "_report.txt";
  EXPECT_EQ(report, GoldenReport(name)) << name << "_report.txt";
}

// The process-wide report reads settingsImage and InterfaceMode.
TEST(SettingsReport, MatchesTheGoldenReports) {
  const InterfaceKind saved = InterfaceMode;
  for (const GoldenCase& c : GoldenCases()) {
    ExpectGolden(ReportText(c.image, c.keys), c.name);
    settingsImage = c.image;
    InterfaceMode = c.keys;
    std::string text;
    RenderSettingsReport([&text](std::string_view piece) { text += piece; });
    ExpectGolden(text, c.name);
  }
  InterfaceMode = saved;
}

}  // namespace
