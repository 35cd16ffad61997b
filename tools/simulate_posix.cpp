// skelv simulate on POSIX: the scanner on a new pseudo-terminal until SIGINT
// or SIGTERM, each taken-over image stored as it arrives, each line setting
// of the client reported as it is first used, and each line of standard
// input sent as a scan.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "keycodes/scan_text.h"
#include "link/port.h"
#include "link/probe.h"
#include "settings/factory_defaults.h"
#include "settings/file_store.h"
#include "settings/settings_file.h"
#include "tools/command_line.h"
#include "tools/pty.h"
#include "tools/simulate.h"

namespace {

int stopWriteFd = -1;

void OnStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t ignored = write(stopWriteFd, &byte, 1);
}

struct Service {
  Simulator simulator;
  std::string storePath;
  std::FILE* log = nullptr;
  uint32_t baud = 0;  // 0: answers at any rate
  Port line;          // the master side, whose line state is the client's
  LineState seen;
  std::string scanLine;  // standard input since the last line end
};

// The commands as they arrive, each CR a line end, flushed so that the log is
// whole whenever the client has its reply.
void LogReceived(std::FILE* log, std::span<const uint8_t> received) {
  for (const uint8_t byte : received) std::fputc(byte == '\r' ? '\n' : byte, log);
  std::fflush(log);
}

// Reports the line the client set when it changed, and whether it is the one
// the scanner answers at. A pseudo-terminal carries the rate the client set;
// it keeps 8 data bits and no parity, which are reported as they read.
bool AtScannerLine(Service& service) {
  LineState now;
  if (!ReadLineState(service.line, now)) return true;
  if (!(now == service.seen)) {
    const auto parity = std::ranges::find(kLineParities, now.parity) - std::begin(kLineParities);
    std::fprintf(stderr, "skelv simulate: line set to %u baud, %u data bits, parity %s\n",
                 now.baudRate, now.byteSize, kParityWords[parity]);
    std::fflush(stderr);
    service.seen = now;
  }
  return service.baud == 0 || now.baudRate == service.baud;
}

void AddScan(const std::string& line, std::vector<std::string>& send) {
  const KeyParse scan = ParseScanText(line);
  if (!scan.error.empty())
    std::fprintf(stderr, "skelv simulate: scan not sent: %s\n", scan.error.c_str());
  else if (!scan.bytes.empty())
    send.emplace_back(scan.bytes.begin(), scan.bytes.end());
}

// Each line of standard input is a scan, sent as soon as its line ends.
bool ReadScans(void* context, std::vector<std::string>& send) {
  Service& service = *static_cast<Service*>(context);
  char buffer[512];
  const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return true;
  if (got <= 0) {
    if (!service.scanLine.empty()) AddScan(service.scanLine, send);
    service.scanLine.clear();
    return false;
  }
  for (const char c : std::string_view(buffer, static_cast<size_t>(got))) {
    if (c != '\n') {
      service.scanLine += c;
      continue;
    }
    AddScan(service.scanLine, send);
    service.scanLine.clear();
  }
  return true;
}

std::vector<std::string> Respond(void* context, std::span<const uint8_t> received) {
  Service& service = *static_cast<Service*>(context);
  // At another rate a scanner hears noise: it stays silent.
  if (!AtScannerLine(service)) return {};
  if (service.log) LogReceived(service.log, received);
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

int ServeSimulator(SimulateOptions& options) {
  options.scanner.blockReply = kReplies[IndexOf(kReplyChoices, options.reply)];
  SettingsImage image = FactoryImage();
  if (!options.image.empty() && !ReadSettingsFile(options.image.c_str(), image)) {
    SayCannotRead("simulate", options.image);
    return 1;
  }
  Service service;
  service.simulator = MakeSimulator(options.scanner, image);
  service.storePath = options.store;
  if (!options.baud.empty()) service.baud = kBaudRates[IndexOf(kBaudRateEntries, options.baud)];
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
  // Started in the background of an interactive shell, reading the terminal
  // fails instead of stopping the simulator.
  signal(SIGTTIN, SIG_IGN);

  if (!options.log.empty() && !(service.log = std::fopen(options.log.c_str(), "a"))) {
    std::fprintf(stderr, "skelv simulate: cannot open the log %s: %s\n", options.log.c_str(),
                 std::strerror(errno));
    return 1;
  }
  PseudoTerminal pty;
  if (!OpenPseudoTerminal(pty)) {
    std::fprintf(stderr, "skelv simulate: cannot open a pseudo-terminal: %s\n",
                 std::strerror(errno));
    if (service.log) std::fclose(service.log);
    return 1;
  }
  service.line.handle = pty.master;
  std::printf("%s\n", pty.path.c_str());
  std::fflush(stdout);
  const int served =
      ServePseudoTerminal(pty, stopPipe[0], delayMs, {&service, Respond, STDIN_FILENO, ReadScans});
  ClosePseudoTerminal(pty);
  if (service.log) std::fclose(service.log);
  if (!served) {
    std::fprintf(stderr, "skelv simulate: the pseudo-terminal failed\n");
    return 1;
  }
  return 0;
}
