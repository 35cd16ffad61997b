// The serial devices of this machine: port patterns expanded, the devices
// listed, and whether each is free.
#pragma once

#include <span>
#include <string>
#include <vector>

// Expands the patterns among `given` (such as /dev/ttyUSB*) in natural order
// and drops repeated devices. False with `error` when a pattern matches nothing.
bool ExpandPorts(std::span<const std::string> given, std::vector<std::string>& devices,
                 std::string& error);
bool IsPattern(const std::string& port);

// The stable by-id names first, then ttyS (those with a port behind them),
// ttyUSB and ttyACM devices.
std::vector<std::string> SerialDevices();

// "free", "busy (pid 812 minicom)" or "not openable: REASON".
std::string DeviceStatus(const std::string& device);
