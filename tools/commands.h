// The skelv commands; each takes the arguments after its name and returns the
// exit status. Misused arguments throw UsageError (exit status 2).
#pragma once

#include <span>

struct SkelvCommand {
  const char* name;
  const char* usage;    // arguments, as shown by --help
  const char* summary;  // one line
  int (*run)(std::span<char* const> args);
};

int RunDefaults(std::span<char* const> args);
int RunReport(std::span<char* const> args);
int RunDownload(std::span<char* const> args);
int RunRead(std::span<char* const> args);
int RunSimulate(std::span<char* const> args);
