// skelv simulate: a scanner for trying and testing transfers without the
// device. The options are the same everywhere; the back end serves them and
// tells on stderr each line setting the client makes.
#include <memory>

#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/simulate.h"

CommandRun DefineSimulate(CLI::App& command) {
  auto options = std::make_shared<SimulateOptions>();
  SimulatorOptions& scanner = options->scanner;
  CLI::Option* version =
      command.add_option("--version", scanner.version, "the reply to \"VERSION\"")
          ->capture_default_str();
  command.add_flag("--no-version{false}", scanner.answersVersion, "leave \"VERSION\" unanswered")
      ->excludes(version);
  command.add_option("--image", options->image, "the settings file the scanner starts with");
  command.add_option("--store", options->store, "where each taken-over image is written");
  command.add_option("--log", options->log, "append each command received to this file");
  command.add_option("--reply", options->reply, "the reply to download blocks")
      ->check(CLI::IsMember(Choices(kReplyChoices)))
      ->capture_default_str();
  command.add_flag("--lowercase", scanner.lowercase, "read-back digits in lower case");
  command.add_option("--stall-block", scanner.stallBlock, "a read-back block left unanswered")
      ->check(CLI::Range(0, 15));
  command.add_flag("--keep-image", scanner.keepsImage,
                   "acknowledge \"UPDATE\" but keep the image it has");
  command.add_option("--delay-ms", options->delayMs, "milliseconds before each reply")
      ->check(CLI::Range(0, 60000));
  command
      .add_option("--baud", options->baud,
                  "answer only while the line is set to this rate; Linux pseudo-terminals keep "
                  "8 data bits and no parity whatever is asked, so those are not simulated")
      ->check(CLI::IsMember(Choices(kBaudRateEntries)));
  return [options] { return ServeSimulator(*options); };
}
