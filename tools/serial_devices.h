// The serial devices of this machine: port patterns expanded, the devices
// listed, and whether each is free. One back end for Linux (/dev, sysfs,
// /proc) and one for Windows (the registry's SERIALCOMM and QueryDosDevice).
#pragma once

#include <span>
#include <string>
#include <vector>

// Expands the patterns among `given` (/dev/ttyUSB* on Linux, COM* on Windows)
// in natural order and drops repeated devices. False with `error` when a
// pattern matches nothing.
bool ExpandPorts(std::span<const std::string> given, std::vector<std::string>& devices,
                 std::string& error);
bool IsPattern(const std::string& port);
// Whether `given` may name more than one device, so that output names each.
inline bool NamesManyPorts(std::span<const std::string> given) {
  return given.size() > 1 || IsPattern(given[0]);
}

// A pattern of this platform, for the help texts: "'/dev/ttyUSB*'" or "COM*".
extern const char kPortPatternExample[];

// Linux: the stable by-id names first, then ttyS (those with a port behind
// them), ttyUSB and ttyACM devices. Windows: the COM ports, COM2 before COM10.
std::vector<std::string> SerialDevices();

// The device as `skelv ports` lists it: on Linux with the target of a link.
std::string DeviceLabel(const std::string& device);

// "free", "busy", "busy (pid 812 minicom)" (Linux names the holders) or
// "not openable: REASON".
std::string DeviceStatus(const std::string& device);
