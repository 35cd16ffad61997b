// skelv simulate: a scanner on a new pseudo-terminal, for trying and testing
// transfers without the device. Prints the device path, then answers until
// SIGINT or SIGTERM.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

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

}  // namespace

int RunSimulate(std::span<char* const> args) {
  static constexpr OptionSpec kOptions[] = {
      {"version", true},   {"no-version", false},  {"image", true},
      {"store", true},     {"reply", true},        {"lowercase", false},
      {"stall-block", true}, {"delay-ms", true}};
  const ParsedArgs parsed = ParseArgs(args, kOptions);
  RequirePositionals(parsed, 0, "");
  if (parsed.Has("version") && parsed.Has("no-version"))
    throw UsageError{"--version and --no-version exclude each other"};

  SimulatorOptions options;
  if (parsed.Has("version")) options.version = *parsed.Value("version");
  options.answersVersion = !parsed.Has("no-version");
  options.blockReply = kReplies[ChoiceOption(parsed, "reply", kReplyChoices, 0)];
  options.lowercase = parsed.Has("lowercase");
  if (parsed.Has("stall-block"))
    options.stallBlock = static_cast<int>(NumberOption(parsed, "stall-block", 0, 15, 0));
  const unsigned delayMs = NumberOption(parsed, "delay-ms", 0, 60000, 0);

  SettingsImage image = FactoryImage();
  if (const auto path = parsed.Value("image"); path && !ReadSettingsFile(path->c_str(), image)) {
    std::fprintf(stderr, "skelv simulate: cannot read %s\n", path->c_str());
    return 1;
  }
  Service service{MakeSimulator(options, image), parsed.Value("store").value_or("")};

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
