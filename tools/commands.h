// The skelv commands. Each declares its options on its own subcommand and
// returns what runs it once they are parsed, which gives the exit status.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>

using CommandRun = std::function<int()>;

struct SkelvCommand {
  const char* name;
  const char* summary;
  CommandRun (*define)(CLI::App& command);
};

CommandRun DefineDefaults(CLI::App& command);
CommandRun DefineReport(CLI::App& command);
CommandRun DefineGet(CLI::App& command);
CommandRun DefineSet(CLI::App& command);
CommandRun DefineDiff(CLI::App& command);
CommandRun DefineDownload(CLI::App& command);
CommandRun DefineRead(CLI::App& command);
CommandRun DefineApply(CLI::App& command);
CommandRun DefinePorts(CLI::App& command);
CommandRun DefineMonitor(CLI::App& command);
CommandRun DefineProbe(CLI::App& command);
CommandRun DefineSimulate(CLI::App& command);
