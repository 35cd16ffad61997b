// skelv defaults: writes the factory image as the program holds it after start-up.
#include <cstdio>

#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tools/command_line.h"
#include "tools/commands.h"

int RunDefaults(std::span<char* const> args) {
  static constexpr OptionSpec kOptions[] = {{"output", true, "-o"}};
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  RequirePositionals(parsed, 0, "");
  const std::string path = RequireOption(parsed, "output");
  if (!WriteSettingsFile(path.c_str(), FactoryImage())) {
    std::fprintf(stderr, "skelv: cannot write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
