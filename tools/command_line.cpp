// Options and file reading shared by the skelv commands.
#include "tools/command_line.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "link/probe.h"
#include "settings/file_store.h"
#include "tools/host.h"
#include "tools/serial_devices.h"

namespace {

constexpr const char* kFlowChoices[] = {"none", "hardware", "xonxoff"};

}  // namespace

std::vector<std::string> Choices(std::span<const char* const> entries) {
  return {std::begin(entries), std::end(entries)};
}

uint8_t IndexOf(std::span<const char* const> entries, const std::string& value) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (value == entries[i]) return static_cast<uint8_t>(i);
  return 0;  // the option's check admits listed entries only
}

void AddPortList(CLI::App& command, std::vector<std::string>& ports) {
  std::string help = "serial devices or patterns such as ";
  help += kPortPatternExample;
  help += "; may be repeated";
  command.add_option("--port", ports, help)->required();
}

void AddLineOptions(CLI::App& command, LineOptions& line) {
  command.add_option("--baud", line.baud, "bits per second")
      ->check(CLI::IsMember(Choices(kBaudRateEntries)))
      ->capture_default_str();
  command.add_option("--data-bits", line.dataBits, "data bits")
      ->check(CLI::IsMember(Choices(kDataBitsEntries)))
      ->capture_default_str();
  command.add_option("--parity", line.parity, "parity")
      ->check(CLI::IsMember(Choices(kParityWords)))
      ->capture_default_str();
  command.add_option("--flow", line.flow, "flow control")
      ->check(CLI::IsMember(Choices(kFlowChoices)))
      ->capture_default_str();
  command
      .add_option("--line", line.line,
                  "auto: probe for the line settings at which each scanner answers, trying "
                  "the ones given right after the factory ones")
      ->check(CLI::IsMember({"auto"}));
}

LineChoice LineSettings(const LineOptions& line) {
  LineChoice choice;
  choice.find = line.line == "auto";
  PortSettings& settings = choice.settings;
  settings.baudRate = IndexOf(kBaudRateEntries, line.baud);
  settings.dataBits = IndexOf(kDataBitsEntries, line.dataBits);
  settings.parity = IndexOf(kParityWords, line.parity);
  settings.flowControl = IndexOf(kFlowChoices, line.flow);
  return choice;
}

void SayCannotRead(const char* command, const std::string& path) {
  std::fprintf(stderr, "skelv %s: cannot read %s: %s\n", command, path.c_str(),
               LastErrorText().c_str());
}

bool ReadImageFile(const char* command, const std::string& path, SettingsImage& image) {
  // One byte more than an image, so that a longer file is told apart.
  uint8_t buffer[kImageSize + 1];
  const long count = ReadFileStart(path.c_str(), buffer, sizeof buffer);
  if (count < 0) {
    SayCannotRead(command, path);
    return false;
  }
  if (count != kImageSize) {
    std::fprintf(stderr, "skelv %s: %s holds %s bytes; a settings file holds %d\n", command,
                 path.c_str(), count > kImageSize ? "more than 256" : std::to_string(count).c_str(),
                 kImageSize);
    return false;
  }
  std::memcpy(image.bytes.data(), buffer, kImageSize);
  return true;
}
