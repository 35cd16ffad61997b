// skelv ports: the serial devices of this machine, or the ones named, each
// with whether a transfer could use it now.
#include <cstdio>
#include <memory>

#include "tools/commands.h"
#include "tools/serial_devices.h"

namespace {

int ListPorts(const std::vector<std::string>& named) {
  std::vector<std::string> devices;
  std::string error;
  if (named.empty()) {
    devices = SerialDevices();
  } else if (!ExpandPorts(named, devices, error)) {
    std::fprintf(stderr, "skelv ports: %s\n", error.c_str());
    return 1;
  }
  if (devices.empty()) std::fprintf(stderr, "skelv ports: no serial devices found\n");
  for (const std::string& device : devices)
    std::printf("%s: %s\n", DeviceLabel(device).c_str(), DeviceStatus(device).c_str());
  return 0;
}

}  // namespace

CommandRun DefinePorts(CLI::App& command) {
  auto named = std::make_shared<std::vector<std::string>>();
  command.add_option("DEVICE", *named, "devices or patterns to look at instead");
  return [named] { return ListPorts(*named); };
}
