// skelv simulate: a scanner on a new pseudo-terminal, for trying and testing
// transfers without the device. Prints the device path, then answers until
// SIGINT or SIGTERM.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>

#include "link/simulator.h"
#include "settings/factory_defaults.h"
#include "settings/file_store.h"
#include "settings/settings_file.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/pty.h"

namespace {

constexpr const char* kReplyChoices[] = {"ack", "done", "nak", "none"};
constexpr BlockReply kReplies[] = {BlockReply::Ack, BlockReply::Done, BlockReply::Nak,
                                   BlockReply::None};

int stopWriteFd = -1;

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(stopWriteFd, &byte, 1);
}

struct Service {
  Simulator simulator;
  std::string storePath;
};

std::vector<std::string> Respond(void* context, std::span<const uint8_t> received) {
  Service& service = *static_cast<Service*>(context);
  const int takeOvers = service.simulator.takeOvers;
  std::vector<std::string> replies = FeedSimulator(service.simulator, received);
  // Stored before the acknowledgement goes out, so a client that got it finds the file.
  if (service.simulator.takeOvers != takeOvers && !service.storePath.empty() &&
      !ReplaceFileContents(service.storePath.c_str(), service.simulator.image.bytes.data(),
                           service.simulator.image.bytes.size()))
    std::fprintf(stderr, "skelv simulate: cannot write %s\n", service.storePath.c_str());
  return replies;
}

struct SimulateOptions {
  SimulatorOptions scanner;
  std::string reply = "ack";
  std::string image;
  std::string store;
  unsigned delayMs = 0;
};

int Simulate(SimulateOptions& options) {
  for (size_t i = 0; i < std::size(kReplyChoices); ++i)
    if (options.reply == kReplyChoices[i]) options.scanner.blockReply = kReplies[i];
  SettingsImage image = FactoryImage();
  if (!options.image.empty() && !ReadSettingsFile(options.image.c_str(), image)) {
    std::fprintf(stderr, "skelv simulate: cannot read %s\n", options.image.c_str());
    return 1;
  }
  Service service{MakeSimulator(options.scanner, image), options.store};
  const unsigned delayMs = options.delayMs;

  int stopPipe[2];
  if (pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::fprintf(stderr, "skelv simulate: %s\n", std::strerror(errno));
    return 1;
  }
  stopWriteFd = stopPipe[1];
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  PseudoTerminal pty;
  if (!OpenPseudoTerminal(pty)) {
    std::fprintf(stderr, "skelv simulate: cannot open a pseudo-terminal: %s\n",
                 std::strerror(errno));
    return 1;
  }
  std::printf("%s\n", pty.path.c_str());
  std::fflush(stdout);
  const int served = ServePseudoTerminal(pty, stopPipe[0], delayMs, {&service, Respond});
  ClosePseudoTerminal(pty);
  if (!served) {
    std::fprintf(stderr, "skelv simulate: the pseudo-terminal failed\n");
    return 1;
  }
  return 0;
}

}  // namespace

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
  command.add_option("--reply", options->reply, "the reply to download blocks")
      ->check(CLI::IsMember({"ack", "done", "nak", "none"}))
      ->capture_default_str();
  command.add_flag("--lowercase", scanner.lowercase, "read-back digits in lower case");
  command.add_option("--stall-block", scanner.stallBlock, "a read-back block left unanswered")
      ->check(CLI::Range(0, 15));
  command.add_flag("--keep-image", scanner.keepsImage,
                   "acknowledge \"UPDATE\" but keep the image it has");
  command.add_option("--delay-ms", options->delayMs, "milliseconds before each reply")
      ->check(CLI::Range(0, 60000));
  return [options] { return Simulate(*options); };
}
