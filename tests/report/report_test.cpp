// The report against its golden files, the process-wide entry point, and the
// shape of the reports of a sample of arbitrary images.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "report/settings_report.h"
#include "tests/report/golden_images.h"
#include "tests/report/golden_report.h"

namespace {

// The lines of `text`, each with its line end.
std::vector<std::string> LinesOf(std::string_view text) {
  std::vector<std::string> lines;
  for (size_t at = 0, end = 0; at < text.size(); at = end + 1) {
    end = std::min(text.find('\n', at), text.size() - 1);
    lines.emplace_back(text.substr(at, end + 1 - at));
  }
  return lines;
}

void ExpectGolden(std::string_view report, const std::string& name) {
  const std::vector<std::string> want = LinesOf(GoldenReport(name)), got = LinesOf(report);
  ASSERT_FALSE(want.empty()) << "no " << name << "_report.txt";
  for (size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
    ASSERT_EQ(i < got.size() ? got[i] : "(end)", i < want.size() ? want[i] : "(end)")
        << name << "_report.txt, line " << i + 1;
  }
}

TEST(SettingsReport, MatchesTheGoldenReports) {
  for (const GoldenCase& c : GoldenCases()) ExpectGolden(ReportText(c.image, c.keys), c.name);
}

TEST(SettingsReport, ProcessWideReportReadsTheImageAndTheInterfaceMode) {
  const InterfaceKind saved = InterfaceMode;
  for (const GoldenCase& c : GoldenCases()) {
    settingsImage = c.image;
    InterfaceMode = c.keys;
    std::string text;
    RenderSettingsReport([&text](std::string_view piece) { text += piece; });
    ExpectGolden(text, c.name);
  }
  InterfaceMode = saved;
}

// Images of random bytes, from a fixed seed: whatever the bytes, the report
// comes out the same each time, as printable lines under every heading.
TEST(SettingsReport, AnyBytesGiveAWellFormedReport) {
  const char* const headings[] = {"**************************************\r\n",
                                  "\r\nInterface Settings\r\n",
                                  "\r\nBuzzer Settings\r\n",
                                  "\r\nScanner Settings\r\n",
                                  "\r\nPrefix & Suffix\r\n",
                                  "\r\nReadable Code Types & Settings\r\n",
                                  "\r\nCode Length Settings\r\n",
                                  "\r\nCode ID Settings\r\n",
                                  "\r\nCharacter Substitution Settings \r\n",
                                  "\r\nData editing\r\n",
                                  " Editing Format 1\r\n",
                                  " Editing Format 2\r\n",
                                  " Editing Format 3\r\n",
                                  "\n    * Transmission Sequence : "};
  std::mt19937 random(4860);
  for (int n = 0; n < 2000; ++n) {
    SettingsImage image;
    for (uint8_t& b : image.bytes) b = static_cast<uint8_t>(random());
    const InterfaceKind keys = static_cast<InterfaceKind>(n % 3);
    const std::string report = ReportText(image, keys);
    ASSERT_EQ(report, ReportText(image, keys)) << n;
    size_t at = 0;
    for (const char* heading : headings) {
      at = report.find(heading, at);
      ASSERT_NE(at, std::string::npos) << n << ": " << heading;
    }
    ASSERT_EQ(report.substr(report.size() - 2), "\r\n") << n;
    for (const char c : report) ASSERT_TRUE(c == '\r' || c == '\n' || (c >= 0x20 && c < 0x7F)) << n;
  }
}

}  // namespace
