// The report against its golden files, through ReportText and through the
// process-wide entry point. (The report of arbitrary bytes is fuzzed.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/settings_report.h"
#include "tests/report/golden_images.h"
#include "tests/report/golden_report.h"
#include "tests/test_support.h"

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

// Names as the report shows them; one that two sections show is told apart by
// its section. Bytes 4, 9, 12, 14, 31 and 129: scan mode Continuous, Code 39
// off with its checksum verified and its code length on, suffix HT, format 2
// from length 5; byte 240 is reserved and in no report.
TEST(SettingsReport, NamesTheItemsInWhichTwoImagesDiffer) {
  const SettingsImage factory = GoldenCases().front().image;  // written from FactoryBytes()
  SettingsImage changed = factory;
  Patch(changed.bytes.data(), "4: 11 9: D8 12: 01 14: 3C 31: 09 129: 05 240: 5A");
  EXPECT_EQ(DifferingReportItems(factory, changed, InterfaceKind::KeyboardWedge),
            (std::vector<std::string>{"Scan Mode", "Suffix Settings",
                                      "Readable Code Types & Settings: Code 39",
                                      "Code 39: Verify Checksum", "Code Length Settings: Code 39",
                                      "Editing Format 2: Minimum Length"}));
  Patch(changed.bytes.data(), "0: 00");  // RS-232: other lines in the interface section
  EXPECT_EQ(DifferingReportItems(factory, factory, InterfaceKind::KeyboardWedge).size(), 0u);
  const std::vector<std::string> names =
      DifferingReportItems(factory, changed, InterfaceKind::KeyboardWedge);
  EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + 3),
            (std::vector<std::string>{"Interface Type", "Keyboard Type", "Digits Transmission"}));
}

}  // namespace
