// skelv: the command-line companion of Skelvane. Commands are table entries.
#include <cstdio>
#include <cstring>
#include <span>

#include "tools/command_line.h"
#include "tools/commands.h"

namespace {

constexpr SkelvCommand kCommands[] = {
    {"defaults", "-o FILE", "write the factory settings file", RunDefaults},
    {"report", "FILE [--keys wedge|rs232|wand]", "print the settings report of FILE", RunReport},
    {"download", "FILE --port DEVICE [--baud B] [--data-bits D] [--parity P] [--flow F]",
     "download FILE to the scanner", RunDownload},
    {"read", "--port DEVICE -o FILE [--baud B] [--data-bits D] [--parity P] [--flow F]",
     "read the scanner's settings into FILE", RunRead},
    {"simulate",
     "[--version TEXT|--no-version] [--image FILE] [--store FILE] [--reply ack|done|nak|none]"
     " [--lowercase] [--stall-block N] [--delay-ms N]",
     "answer as a scanner on a new pseudo-terminal", RunSimulate},
};

void PrintHelp() {
  std::printf("usage: skelv COMMAND [ARGS]\n\nTavrenlok 4860 settings files and scanner link.\n\n");
  std::printf("commands:\n");
  for (const SkelvCommand& c : kCommands)
    std::printf("  %-10s %-44s %s\n", c.name, c.usage, c.summary);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "skelv: missing command (see skelv --help)\n");
    return 2;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    PrintHelp();
    return 0;
  }
  for (const SkelvCommand& c : kCommands) {
    if (std::strcmp(argv[1], c.name) != 0) continue;
    try {
      return c.run(std::span<char* const>(argv + 2, argc - 2));
    } catch (const UsageError& e) {
      std::fprintf(stderr, "skelv %s: %s (usage: skelv %s %s)\n", c.name, e.message.c_str(),
                   c.name, c.usage);
      return 2;
    }
  }
  std::fprintf(stderr, "skelv: unknown command %s (see skelv --help)\n", argv[1]);
  return 2;
}
