// skelv download and skelv read: one transfer with a scanner on a serial
// device, with the line settings of the COM port choices.
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "link/connection.h"
#include "link/transfer.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tools/command_line.h"
#include "tools/commands.h"

namespace {

constexpr const char* kParityChoices[] = {"none", "even", "odd"};
constexpr const char* kFlowChoices[] = {"none", "hardware", "xonxoff"};

PortSettings LineChoices(const ParsedArgs& parsed) {
  const PortSettings defaults;
  PortSettings settings;
  settings.baudRate = ChoiceOption(parsed, "baud", kBaudRateEntries, defaults.baudRate);
  settings.dataBits = ChoiceOption(parsed, "data-bits", kDataBitsEntries, defaults.dataBits);
  settings.parity = ChoiceOption(parsed, "parity", kParityChoices, defaults.parity);
  settings.flowControl = ChoiceOption(parsed, "flow", kFlowChoices, defaults.flowControl);
  return settings;
}

int Open(const char* command, const std::string& device, const PortSettings& settings,
         Port& port) {
  switch (OpenScannerPort(port, device.c_str(), settings)) {
    case PortOpenResult::Opened:
      return 1;
    case PortOpenResult::CannotOpen:
      std::fprintf(stderr, "skelv %s: cannot open %s: %s\n", command, device.c_str(),
                   PortErrorText());
      return 0;
    case PortOpenResult::SettingsRefused:
      std::fprintf(stderr, "skelv %s: %s refused the line settings: %s\n", command,
                   device.c_str(), PortErrorText());
      return 0;
  }
  return 0;
}

// The progress window's text and bar as one line on a terminal.
struct ConsoleProgress {
  const char* text = kDownloadingText;
};

void CreateLine(void* context) { static_cast<ConsoleProgress*>(context)->text = kDownloadingText; }
void SetLineText(void* context, const char* text) {
  static_cast<ConsoleProgress*>(context)->text = text;
}
void ShowPosition(void* context, int position) {
  std::fprintf(stderr, "\r%s %3d%%", static_cast<ConsoleProgress*>(context)->text,
               std::min(position, 100));
}
void EndLine(void*) { std::fputc('\n', stderr); }

TransferProgress ProgressOnTerminal(ConsoleProgress& console) {
  if (!isatty(STDERR_FILENO)) return TransferProgress{};
  return TransferProgress{&console, CreateLine, SetLineText, ShowPosition, EndLine};
}

constexpr OptionSpec kDownloadOptions[] = {
    {"port", true}, {"baud", true}, {"data-bits", true}, {"parity", true}, {"flow", true}};
constexpr OptionSpec kReadOptions[] = {{"port", true},      {"baud", true},
                                       {"data-bits", true}, {"parity", true},
                                       {"flow", true},      {"output", true, "-o"}};

}  // namespace

int RunDownload(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kDownloadOptions);
  RequirePositionals(parsed, 1, "FILE");
  const std::string device = RequireOption(parsed, "port");
  const PortSettings settings = LineChoices(parsed);
  const std::string& path = parsed.positionals[0];

  SettingsImage image = FactoryImage();
  if (!ReadSettingsFile(path.c_str(), image)) {
    std::fprintf(stderr, "skelv download: cannot read %s\n", path.c_str());
    return 1;
  }
  Port port;
  if (!Open("download", device, settings, port)) return 1;
  ConsoleProgress console;
  LinkFailure failure;
  const int done = DownloadImage(port, image, ProgressOnTerminal(console), &failure);
  CloseScannerPort(port);
  if (!done) {
    std::fprintf(stderr, "skelv download: failed at %s\n", DescribeLinkFailure(failure).c_str());
    return 1;
  }
  std::printf("%s\n", kDownloadedText);
  return 0;
}

int RunRead(std::span<char* const> args) {
  const ParsedArgs parsed = ParseArgs(args, kReadOptions);
  RequirePositionals(parsed, 0, "");
  const std::string device = RequireOption(parsed, "port");
  const std::string output = RequireOption(parsed, "output");
  const PortSettings settings = LineChoices(parsed);

  Port port;
  if (!Open("read", device, settings, port)) return 1;
  ConsoleProgress console;
  LinkFailure failure;
  SettingsImage image;
  const int done = ReadBackImage(port, image, ProgressOnTerminal(console), &failure);
  CloseScannerPort(port);
  if (!done) {
    std::fprintf(stderr, "skelv read: failed at %s\n", DescribeLinkFailure(failure).c_str());
    return 1;
  }
  if (!WriteSettingsFile(output.c_str(), image)) {
    std::fprintf(stderr, "skelv read: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
