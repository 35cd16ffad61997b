// skelv probe: the line settings at which each scanner answers, found on
// every port at once; a line or a JSON object per port.
#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>

#include "link/probe.h"
#include "tools/command_line.h"
#include "tools/commands.h"
#include "tools/fleet.h"
#include "tools/serial_devices.h"

namespace {

struct ProbeOptions {
  std::vector<std::string> ports;
  LineOptions line;
  bool json = false;
};

std::string JsonLine(const std::string& device, const PortResult& r) {
  nlohmann::ordered_json object{{"port", device}, {"found", r.status == 0}};
  if (r.status == 0) {
    const LineState line = LineStateFromSettings(r.found);
    object["baud"] = line.baudRate;
    object["dataBits"] = line.byteSize;
    object["parity"] = kParityWords[r.found.parity];
    object["version"] = r.version;
  } else {
    object["reason"] = r.reason;
  }
  return object.dump();
}

// Exit status 0 when a scanner answered on every port, else 1.
int Probe(const ProbeOptions& options) {
  FleetPlan plan;
  plan.task = FleetTask::Probe;
  std::string error;
  if (!ExpandPorts(options.ports, plan.devices, error)) {
    std::fprintf(stderr, "skelv probe: %s\n", error.c_str());
    return 1;
  }
  plan.line = LineSettings(options.line);
  plan.line.find = true;
  const std::vector<PortResult> results = RunFleet(plan);
  bool failed = false;
  for (size_t i = 0; i < results.size(); ++i) {
    const PortResult& r = results[i];
    const std::string& device = plan.devices[i];
    failed = failed || r.status != 0;
    if (options.json)
      std::printf("%s\n", JsonLine(device, r).c_str());
    else if (r.status == 0)
      std::printf("%s: %s (%s)\n", device.c_str(), LineText(r.found).c_str(), r.version.c_str());
    else
      std::printf("%s: %s\n", device.c_str(), r.reason.c_str());
  }
  return failed ? 1 : 0;
}

}  // namespace

CommandRun DefineProbe(CLI::App& command) {
  auto options = std::make_shared<ProbeOptions>();
  AddPortList(command, options->ports);
  AddLineOptions(command, options->line);
  // A probe always searches, and with flow control none.
  command.remove_option(command.get_option("--flow"));
  command.remove_option(command.get_option("--line"));
  command.add_flag("--json", options->json, "print one JSON object per port");
  return [options] { return Probe(*options); };
}
