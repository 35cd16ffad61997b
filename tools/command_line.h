// What the skelv commands share: usage errors, the serial line options, and
// reading a settings file strictly.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/port_settings.h"
#include "settings/settings_image.h"
#include "tools/fleet.h"

// Thrown by a command that finds its arguments misused after parsing; main
// turns it, like a parse error, into one line on stderr and exit status 2.
struct UsageError {
  std::string message;
};

// The entries of a choice option, for CLI::IsMember, and the index of the
// chosen one (0 for a value not listed, which the check keeps out).
std::vector<std::string> Choices(std::span<const char* const> entries);
uint8_t IndexOf(std::span<const char* const> entries, const std::string& value);

// --port: serial devices or patterns, required, may be repeated.
void AddPortList(CLI::App& command, std::vector<std::string>& ports);

// --baud, --data-bits, --parity and --flow, the choices of the COM port
// dialog; --line auto probes for the settings first, trying those right
// after the factory ones.
struct LineOptions {
  std::string baud = "38400";
  std::string dataBits = "8";
  std::string parity = "none";
  std::string flow = "none";
  std::string line;
};
void AddLineOptions(CLI::App& command, LineOptions& line);
LineChoice LineSettings(const LineOptions& line);

// Reads a file of exactly 256 bytes into `image`. Otherwise prints one line
// "skelv COMMAND: ..." on stderr and returns false.
bool ReadImageFile(const char* command, const std::string& path, SettingsImage& image);
// Says "skelv COMMAND: cannot read PATH: REASON" on stderr for the file call
// that just failed, with the system's reason.
void SayCannotRead(const char* command, const std::string& path);
