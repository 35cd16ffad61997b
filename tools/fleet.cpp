// The fleet runner: a thread per port, each with its own port and transfer
// buffers; the progress lines are the only thing the threads share. A probe
// for the line settings, asked for or before a transfer, runs on the thread
// of its port too.
#include "tools/fleet.h"

#include <cstdio>
#include <mutex>
#include <thread>

#include "fields/field_list.h"
#include "link/connection.h"
#include "link/probe.h"
#include "link/transfer.h"
#include "settings/settings_file.h"
#include "tools/host.h"

namespace {

// One line per port on a terminal, each redrawn in place; nothing otherwise.
struct ProgressLines {
  bool shown = false;
  size_t count = 0;
  size_t width = 80;
  std::mutex mutex;

  void Begin(const std::vector<std::string>& devices) {
    shown = ProgressTerminal(width);
    count = devices.size();
    if (!shown) return;
    for (const std::string& device : devices) std::fprintf(stderr, "%s: waiting\n", device.c_str());
  }
  void Show(size_t index, const std::string& text) {
    if (!shown) return;
    const std::lock_guard<std::mutex> hold(mutex);
    const size_t up = count - index;  // the cursor waits below the last line
    std::fprintf(stderr, "\033[%zuA\r\033[2K%s\033[%zuB\r", up, text.substr(0, width - 1).c_str(),
                 up);
    std::fflush(stderr);
  }
  void End() {
    if (shown && count > 0) std::fprintf(stderr, "\033[%zuA\033[J", count);
  }
};

struct PortProgress {
  ProgressLines* lines;
  size_t index;
  std::string device;
  const char* phase = "";
};

void ShowBlock(void* context, int block) {
  const PortProgress& p = *static_cast<const PortProgress*>(context);
  // Numbered as the protocol and the failure lines number blocks, from 0.
  p.lines->Show(p.index, p.device + ": " + p.phase + " block " + std::to_string(block));
}

bool Trying(void* context, const PortSettings& line, int, int) {
  const PortProgress& p = *static_cast<const PortProgress*>(context);
  p.lines->Show(p.index, p.device + ": trying " + LineText(line));
  return true;
}

// Opens the port at the line settings given, or at those a probe finds.
bool Open(const std::string& device, const LineChoice& line, Port& port, PortResult& result,
          PortProgress* progress) {
  const PortOpenResult opened = line.find ? OpenProbePort(port, device.c_str())
                                          : OpenScannerPort(port, device.c_str(), line.settings);
  switch (opened) {
    case PortOpenResult::Opened:
      break;
    case PortOpenResult::CannotOpen:
      result.reason = std::string("cannot open: ") + PortErrorText();
      return false;
    case PortOpenResult::SettingsRefused:
      result.reason = std::string("refused the line settings: ") + PortErrorText();
      return false;
  }
  result.found = line.settings;
  if (!line.find) return true;
  const ProbeResult probe =
      ProbeScanner(port, line.settings, {progress, progress ? Trying : nullptr});
  if (probe.found) {
    result.found = probe.line;
    result.version = probe.version;
    return true;
  }
  result.reason = "no scanner answered at any of " + std::to_string(probe.count) + " line settings";
  ClosePort(port);
  return false;
}

// The transfer of `plan` on an open port.
void Transfer(const FleetPlan& plan, size_t index, Port& port, PortProgress& progress,
              PortResult& result) {
  const TransferProgress shown{&progress, nullptr, nullptr, nullptr, nullptr, ShowBlock};
  LinkFailure failure;
  SettingsImage sent = plan.image, back;
  if (plan.task == FleetTask::Read) {
    progress.phase = "reading";
    if (!ReadBackImage(port, back, shown, &failure, &result.version))
      result.reason = DescribeLinkFailure(failure);
    else if (!WriteSettingsFile(plan.outputs[index].c_str(), back))
      result.reason = "cannot write " + plan.outputs[index];
    return;
  }
  if (plan.task == FleetTask::Apply) {
    progress.phase = "reading";
    if (!ReadBackImage(port, back, shown, &failure, &result.version)) {
      result.reason = DescribeLinkFailure(failure);
      return;
    }
    // The fields and the reserved bits together cover bytes 0 to 253.
    result.changes = DifferingFields(back, plan.image);
    if (result.changes.empty() || plan.check) return;
  }
  progress.phase = "downloading";
  if (!DownloadImage(port, sent, shown, &failure, &result.version)) {
    result.reason = DescribeLinkFailure(failure);
    return;
  }
  if (!plan.verify) return;
  progress.phase = "verifying";
  if (!ReadBackImage(port, back, shown, &failure)) {
    result.reason = DescribeLinkFailure(failure);
    return;
  }
  result.differing = DifferingFields(sent, back);
  if (result.differing.empty()) return;
  result.status = kPortDiffers;
  result.reason = "the read-back differs in " + DifferenceNames(result.differing, ", ");
}

void RunPort(const FleetPlan& plan, size_t index, PortProgress& progress, PortResult& result) {
  Port port;
  if (Open(plan.devices[index], plan.line, port, result, &progress)) {
    if (plan.task != FleetTask::Probe) Transfer(plan, index, port, progress, result);
    CloseScannerPort(port);
  }
  if (!result.reason.empty() && result.status == 0) result.status = kPortFailed;
  result.finished = std::time(nullptr);
  progress.lines->Show(index, progress.device + (result.status ? ": failed" : ": ok"));
}

}  // namespace

std::vector<PortResult> RunFleet(const FleetPlan& plan) {
  const size_t count = plan.devices.size();
  std::vector<PortResult> results(count);
  ProgressLines lines;
  lines.Begin(plan.devices);
  std::vector<PortProgress> progress;
  for (size_t i = 0; i < count; ++i) progress.push_back({&lines, i, plan.devices[i]});
  std::vector<std::thread> threads;
  for (size_t i = 0; i < count; ++i)
    threads.emplace_back(RunPort, std::cref(plan), i, std::ref(progress[i]), std::ref(results[i]));
  for (std::thread& t : threads) t.join();
  lines.End();
  return results;
}

bool OpenScannerLine(const std::string& device, const LineChoice& line, Port& port,
                     PortResult& result) {
  return Open(device, line, port, result, nullptr);
}

bool ReadScanner(const std::string& device, const LineChoice& line, SettingsImage& image,
                 std::string& reason) {
  Port port;
  PortResult opened;
  if (!Open(device, line, port, opened, nullptr)) {
    reason = opened.reason;
    return false;
  }
  LinkFailure failure;
  const bool read = ReadBackImage(port, image, TransferProgress{}, &failure);
  CloseScannerPort(port);
  if (!read) reason = DescribeLinkFailure(failure);
  return read;
}
