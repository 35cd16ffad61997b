// skelv report: the settings report of a settings file, byte for byte as the
// main window shows it (CR LF line ends kept).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "report/settings_report.h"
#include "settings/file_store.h"
#include "tools/command_line.h"
#include "tools/commands.h"

namespace {

// By InterfaceKind value.
constexpr const char* kKeyModes[] = {"wedge", "rs232", "wand"};

}  // namespace

int RunReport(std::span<char* const> args) {
  static constexpr OptionSpec kOptions[] = {{"keys", true}};
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  RequirePositionals(parsed, 1, "FILE");
  const int keys = ChoiceOption(parsed, "keys", kKeyModes, -1);
  const std::string& path = parsed.positionals[0];

  // One byte more than an image, so that a longer file is told apart.
  SettingsImage image;
  uint8_t buffer[kImageSize + 1];
  errno = 0;
  const long count = ReadFileStart(path.c_str(), buffer, sizeof buffer);
  if (count < 0) {
    std::fprintf(stderr, "skelv report: cannot read %s: %s\n", path.c_str(),
                 errno ? std::strerror(errno) : "read error");
    return 1;
  }
  if (count > kImageSize) {
    std::fprintf(stderr, "skelv report: %s holds more than %d bytes; a settings file holds %d\n",
                 path.c_str(), kImageSize, kImageSize);
    return 1;
  }
  if (count < kImageSize) {
    std::fprintf(stderr, "skelv report: %s holds %ld bytes; a settings file holds %d\n",
                 path.c_str(), count, kImageSize);
    return 1;
  }
  std::memcpy(image.bytes.data(), buffer, kImageSize);

  const InterfaceKind mode =
      keys < 0 ? InterfaceModeFromImage(image) : static_cast<InterfaceKind>(keys);
  const std::string text = ReportText(image, mode);
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "skelv report: cannot write the report of %s\n", path.c_str());
    return 1;
  }
  return 0;
}
