// skelv monitor: prints each scan as the scanner sent it, one line per scan
// and port, written out the moment the line has been quiet long enough.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>

#include "keycodes/scan_text.h"
#include "link/connection.h"
#include "link/scan_capture.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/fleet.h"
#include "tools/host.h"
#include "tools/serial_devices.h"

namespace {

constexpr uint32_t kWaitMs = 5;  // between looks at the port and at the stop

struct MonitorOptions {
  std::vector<std::string> ports;
  LineOptions line;
  bool hex = false;
  bool json = false;
  unsigned count = 0;    // 0: no limit
  double timeout = 0.0;  // seconds without a scan; 0: no limit
};

struct Listening {
  explicit Listening(const MonitorOptions& o) : options(o) {}
  const MonitorOptions& options;
  bool many = false;  // lines carry their port
  std::mutex mutex;   // one line at a time; guards `scans`
  unsigned scans = 0;
  std::atomic<bool> stop{false};
  std::atomic<uint32_t> lastActivity{0};  // TickCount() of the last byte on any port
  std::atomic<bool> failed{false};
};

// "2026-12-07T09:54:04.123+0100"
std::string TimeText(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
  std::string text = LocalTimeText(seconds);
  char fraction[8];
  std::snprintf(fraction, sizeof fraction, ".%03d", static_cast<int>(ms.count() % 1000));
  return text.insert(19, fraction);
}

std::string ScanLine(const Listening& l, const std::string& device,
                     std::chrono::system_clock::time_point began,
                     const std::vector<uint8_t>& scan) {
  if (l.options.json) {
    nlohmann::ordered_json object;
    object["time"] = TimeText(began);
    object["port"] = device;
    std::string hex = ScanHex(scan);
    std::erase(hex, ' ');
    object["hex"] = hex;
    object["text"] = ScanText(scan);
    object["length"] = scan.size();
    return object.dump() + "\n";
  }
  std::string line = l.many ? device + ": " : "";
  line += ScanText(scan);
  if (l.options.hex) line += "  " + ScanHex(scan);
  return line + "\n";
}

void Print(Listening& l, const std::string& line) {
  const std::lock_guard<std::mutex> hold(l.mutex);
  if (l.options.count && l.scans >= l.options.count) return;
  std::fputs(line.c_str(), stdout);
  std::fflush(stdout);
  if (l.options.count && ++l.scans == l.options.count) l.stop = true;
}

void Listen(Listening& l, const std::string& device, Port& port, uint32_t quietMs) {
  ScanCapture capture;
  std::chrono::system_clock::time_point began;
  uint8_t buffer[256];
  while (!l.stop) {
    long got = WaitForPortInput(port, kWaitMs);
    if (got == 0) got = ReadPort(port, buffer, sizeof buffer);
    if (got < 0) {
      std::fprintf(stderr, "skelv monitor: %s: the port failed: %s\n", device.c_str(),
                   PortErrorText());
      l.failed = true;
      return;
    }
    const uint32_t now = TickCount();
    if (got > 0) {
      if (capture.bytes.empty()) began = std::chrono::system_clock::now();
      AddToScan(capture, buffer, static_cast<size_t>(got), now);
      l.lastActivity = now;
      continue;
    }
    std::vector<uint8_t> scan;
    if (TakeEndedScan(capture, now, quietMs, scan)) Print(l, ScanLine(l, device, began, scan));
  }
}

// Opens every port or none, each at the line settings given or at those a
// probe finds; false after a line on stderr. `quietMs` gets each port's quiet
// time, from its baud rate.
bool OpenAll(const std::vector<std::string>& devices, const LineChoice& line,
             std::vector<Port>& ports, std::vector<uint32_t>& quietMs) {
  for (size_t i = 0; i < devices.size(); ++i) {
    PortResult opened;
    if (OpenScannerLine(devices[i], line, ports[i], opened)) {
      // What came before is no scan of this run, and would join the first.
      PurgePortInput(ports[i]);
      quietMs.push_back(ScanQuietMs(kBaudRates[opened.found.baudRate]));
      continue;
    }
    std::fprintf(stderr, "skelv monitor: %s: %s\n", devices[i].c_str(), opened.reason.c_str());
    for (size_t j = 0; j < i; ++j) CloseScannerPort(ports[j]);
    return false;
  }
  return true;
}

int Monitor(const MonitorOptions& options) {
  std::vector<std::string> devices;
  std::string error;
  if (!ExpandPorts(options.ports, devices, error)) {
    std::fprintf(stderr, "skelv monitor: %s\n", error.c_str());
    return 1;
  }
  // Caught before any port opens, so that every way out closes them.
  CatchInterrupts();
  std::vector<Port> ports(devices.size());
  std::vector<uint32_t> quietMs;
  if (!OpenAll(devices, LineSettings(options.line), ports, quietMs)) return 1;
  Listening l(options);
  l.many = NamesManyPorts(options.ports);
  l.lastActivity = TickCount();
  std::vector<std::thread> threads;
  for (size_t i = 0; i < devices.size(); ++i)
    threads.emplace_back(Listen, std::ref(l), std::cref(devices[i]), std::ref(ports[i]),
                         quietMs[i]);
  const uint32_t timeoutMs = static_cast<uint32_t>(options.timeout * 1000);
  bool timedOut = false;
  while (!l.stop && !l.failed) {
    std::this_thread::sleep_for(std::chrono::milliseconds(kWaitMs));
    timedOut = timeoutMs && TickCount() - l.lastActivity >= timeoutMs;
    if (Interrupted() || timedOut) l.stop = true;
  }
  l.stop = true;
  for (std::thread& t : threads) t.join();
  for (Port& port : ports) CloseScannerPort(port);
  if (l.failed) return 1;
  if (timedOut && options.count && l.scans < options.count) {
    std::fprintf(stderr, "skelv monitor: %u of %u scans came before the time-out\n", l.scans,
                 options.count);
    return 1;
  }
  return 0;
}

}  // namespace

CommandRun DefineMonitor(CLI::App& command) {
  auto options = std::make_shared<MonitorOptions>();
  AddPortList(command, options->ports);
  AddLineOptions(command, options->line);
  command.add_flag("--hex", options->hex, "add the bytes in hexadecimal");
  command.add_flag("--json", options->json, "print one JSON object per scan")->excludes("--hex");
  command.add_option("--count", options->count, "stop after this many scans")
      ->check(CLI::PositiveNumber);
  command.add_option("--timeout", options->timeout, "stop after this many seconds without a scan")
      ->check(CLI::PositiveNumber);
  return [options] { return Monitor(*options); };
}
