// skelv report: the settings report of a settings file, byte for byte as the
// main window shows it (CR LF line ends kept).
#include <cstdio>
#include <memory>
#include <string>

#include "report/settings_report.h"
#include "tools/command_line.h"
#include "tools/commands.h"

namespace {

// By InterfaceKind value.
constexpr const char* kKeyModes[] = {"wedge", "rs232", "wand"};

struct ReportOptions {
  std::string path;
  std::string keys;  // empty: as byte 0 of the image says
};

int Report(const ReportOptions& options) {
  SettingsImage image;
  if (!ReadImageFile("report", options.path, image)) return 1;
  const InterfaceKind mode = options.keys.empty()
                                 ? InterfaceModeFromImage(image)
                                 : static_cast<InterfaceKind>(IndexOf(kKeyModes, options.keys));
  const std::string text = ReportText(image, mode);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "skelv report: cannot write the report of %s\n", options.path.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

CommandRun DefineReport(CLI::App& command) {
  auto options = std::make_shared<ReportOptions>();
  command.add_option("FILE", options->path, "the settings file")->required();
  command.add_option("--keys", options->keys, "read key sequences as this interface's keys")
      ->check(CLI::IsMember(Choices(kKeyModes)));
  return [options] { return Report(*options); };
}
