// skelv: the command-line companion of Skelvane. Commands are table entries.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "skelvane_version.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/host.h"

namespace {

constexpr SkelvCommand kCommands[] = {
    {"defaults", "write the factory settings file", DefineDefaults},
    {"report", "print the settings report of a settings file", DefineReport},
    {"get", "print the fields of a settings file as name = value lines", DefineGet},
    {"set", "assign fields of a settings file", DefineSet},
    {"diff", "print the fields in which two settings (files or scanners) differ", DefineDiff},
    {"download", "download a settings file to scanners, optionally reading it back",
     DefineDownload},
    {"read", "read the settings of scanners into settings files", DefineRead},
    {"apply", "bring scanners to a settings file, downloading only to those that differ",
     DefineApply},
    {"ports", "list the serial devices and whether they are free", DefinePorts},
    {"probe", "find the line settings at which scanners answer", DefineProbe},
    {"monitor", "print each scan that arrives on serial ports", DefineMonitor},
    {"simulate", "answer as a scanner on a new pseudo-terminal (Linux only)", DefineSimulate},
};

// Usage errors are one line, whatever the parser's text.
int Misuse(const char* command, std::string message) {
  for (char& c : message)
    if (c == '\n') c = ' ';
  if (command)
    std::fprintf(stderr, "skelv %s: %s (see skelv %s --help)\n", command, message.c_str(), command);
  else
    std::fprintf(stderr, "skelv: %s (see skelv --help)\n", message.c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  KeepStdoutBytes();
  CLI::App app{"Tavrenlok 4860 settings files and scanner link.", "skelv"};
  app.require_subcommand(1, 1);
  app.set_version_flag("--version", "skelv " SKELVANE_VERSION, "print the version and exit");
  std::vector<std::pair<CLI::App*, CommandRun>> runs;
  const char* named = nullptr;
  for (const SkelvCommand& c : kCommands) {
    CLI::App* command = app.add_subcommand(c.name, c.summary);
    runs.emplace_back(command, c.define(*command));
    if (argc > 1 && !std::strcmp(argv[1], c.name)) named = c.name;
  }
  if (argc < 2) return Misuse(nullptr, "missing command");
  if (!named && argv[1][0] != '-')
    return Misuse(nullptr, std::string("unknown command ") + argv[1]);
  try {
    app.parse(argc, argv);
    for (const auto& [command, run] : runs)
      if (command->parsed()) return run();
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::RequiredError& e) {
    // An unknown option is named first: it may be the missing one misspelt.
    const std::vector<std::string> unknown = app.remaining(true);
    return Misuse(named, unknown.empty() ? e.what() : CLI::ExtrasError(unknown).what());
  } catch (const CLI::ParseError& e) {
    return Misuse(named, e.what());
  } catch (const UsageError& e) {
    return Misuse(named, e.message);
  }
  return Misuse(nullptr, "missing command");
}
