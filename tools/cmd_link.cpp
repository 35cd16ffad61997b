// skelv download, read, apply and probe: transfers, or the search for the
// line settings, with one scanner or many at once, a result per port, and an
// optional CSV log.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/fleet.h"
#include "tools/host.h"
#include "tools/port_report.h"
#include "tools/serial_devices.h"

namespace {

struct TransferOptions {
  std::string file;  // download: what is sent; read: where it goes
  std::vector<std::string> ports;
  bool verify = false;
  std::string log;
  LineOptions line;
};

// fleet.qrs and /dev/ttyUSB0 give fleet-ttyUSB0.qrs.
std::string PortFile(const std::string& file, const std::string& device) {
  const std::filesystem::path path(file);
  return (path.parent_path() /
          (path.stem().string() + "-" + std::filesystem::path(device).filename().string() +
           path.extension().string()))
      .string();
}

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? "\"\"" : std::string(1, c);
  return quoted + "\"";
}

void LogRow(std::FILE* log, const std::string& device, const PortResult& r,
            const std::string& result) {
  // apply's fields are those the scanner differed in before, unless the
  // read-back shows that some did not land.
  const std::string fields = DifferenceNames(r.differing.empty() ? r.changes : r.differing, " ");
  std::fprintf(log, "%s,%s,%s,%s,%s\n", LocalTimeText(r.finished).c_str(), CsvField(device).c_str(),
               CsvField(r.version).c_str(), CsvField(result).c_str(), CsvField(fields).c_str());
}

std::FILE* OpenLog(const std::string& path) {
  std::FILE* log = std::fopen(path.c_str(), "a");
  if (log && std::fseek(log, 0, SEEK_END) == 0 && std::ftell(log) == 0)
    std::fprintf(log, "time,port,version,result,differing fields\n");
  return log;
}

// Runs the plan on the expanded ports; exit status 0 when every port
// succeeded, else 1 when any failed, else 3 (read-backs that differ).
int RunOnPorts(const char* command, FleetPlan& plan, const TransferOptions& options,
               const std::function<PortReport(const std::string&, const PortResult&)>& report) {
  std::string error;
  if (!ExpandPorts(options.ports, plan.devices, error)) {
    std::fprintf(stderr, "skelv %s: %s\n", command, error.c_str());
    return 1;
  }
  const bool many = NamesManyPorts(options.ports);
  for (const std::string& device : plan.devices)
    plan.outputs.push_back(many ? PortFile(options.file, device) : options.file);
  std::FILE* log = options.log.empty() ? nullptr : OpenLog(options.log);
  if (!options.log.empty() && !log) {
    std::fprintf(stderr, "skelv %s: cannot open the log %s\n", command, options.log.c_str());
    return 1;
  }
  plan.line = LineSettings(options.line);
  const std::vector<PortResult> results = RunFleet(plan);
  bool failed = false, differs = false;
  for (size_t i = 0; i < results.size(); ++i) {
    const PortResult& r = results[i];
    const PortReport shown = report(plan.devices[i], r);
    std::fputs(shown.printed.c_str(), stdout);
    if (log) LogRow(log, plan.devices[i], r, shown.result);
    failed = failed || r.status == kPortFailed;
    differs = differs || r.status == kPortDiffers;
  }
  if (log && std::fclose(log) != 0) {
    std::fprintf(stderr, "skelv %s: cannot write the log %s\n", command, options.log.c_str());
    return 1;
  }
  return failed ? kPortFailed : differs ? kPortDiffers : 0;
}

void AddPortOptions(CLI::App& command, TransferOptions& options) {
  AddPortList(command, options.ports);
  command.add_option("--log", options.log, "append a CSV row per port to this file");
  AddLineOptions(command, options.line);
}

}  // namespace

CommandRun DefineDownload(CLI::App& command) {
  auto options = std::make_shared<TransferOptions>();
  command.add_option("FILE", options->file, "the settings file to send")->required();
  AddPortOptions(command, *options);
  command.add_flag("--verify", options->verify,
                   "read each scanner back and compare (exit status 3 when it differs)");
  return [options] {
    FleetPlan plan;
    plan.verify = options->verify;
    plan.image = FactoryImage();
    if (!ReadSettingsFile(options->file.c_str(), plan.image)) {
      SayCannotRead("download", options->file);
      return 1;
    }
    return RunOnPorts("download", plan, *options, TransferReport);
  };
}

CommandRun DefineRead(CLI::App& command) {
  auto options = std::make_shared<TransferOptions>();
  command
      .add_option("-o,--output", options->file,
                  "the settings file; from many ports FILE-PORT for each")
      ->required();
  AddPortOptions(command, *options);
  return [options] {
    FleetPlan plan;
    plan.task = FleetTask::Read;
    return RunOnPorts("read", plan, *options, TransferReport);
  };
}

CommandRun DefineApply(CLI::App& command) {
  auto options = std::make_shared<TransferOptions>();
  auto show = std::make_shared<ApplyShow>();
  command.add_option("FILE", options->file, "the settings file the scanners are to hold")
      ->required();
  AddPortOptions(command, *options);
  command.add_flag("--check", show->check, "read and compare only; download nothing");
  command.add_flag("--diff", show->diff, "a \"name: scanner -> file\" line per differing field");
  command.add_flag("--json", show->json, "one JSON object per port");
  return [options, show] {
    FleetPlan plan;
    plan.task = FleetTask::Apply;
    plan.check = show->check;
    plan.verify = true;
    if (!ReadImageFile("apply", options->file, plan.image)) return 1;
    return RunOnPorts("apply", plan, *options,
                      [show](const std::string& device, const PortResult& r) {
                        return ApplyReport(device, r, *show);
                      });
  };
}

CommandRun DefineProbe(CLI::App& command) {
  auto options = std::make_shared<TransferOptions>();
  auto json = std::make_shared<bool>(false);
  AddPortList(command, options->ports);
  AddLineOptions(command, options->line);
  // A probe always searches, and with flow control none.
  command.remove_option(command.get_option("--flow"));
  command.remove_option(command.get_option("--line"));
  options->line.line = "auto";
  command.add_flag("--json", *json, "print one JSON object per port");
  return [options, json] {
    FleetPlan plan;
    plan.task = FleetTask::Probe;
    return RunOnPorts("probe", plan, *options,
                      [json](const std::string& device, const PortResult& r) {
                        return ProbeReport(device, r, *json);
                      });
  };
}
