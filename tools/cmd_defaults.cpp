// skelv defaults: writes the factory image as the program holds it after start-up.
#include <cstdio>
#include <memory>

#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tools/command_line.h"
#include "tools/commands.h"

CommandRun DefineDefaults(CLI::App& command) {
  auto path = std::make_shared<std::string>();
  command.add_option("-o,--output", *path, "the settings file to write")->required();
  return [path] {
    if (WriteSettingsFile(path->c_str(), FactoryImage())) return 0;
    std::fprintf(stderr, "skelv defaults: cannot write %s\n", path->c_str());
    return 1;
  };
}
