// Transfers with many scanners at once, one thread per port: the task on each
// port, a progress line per port on a terminal, and each port's result.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "fields/field_list.h"
#include "link/port.h"
#include "link/port_settings.h"
#include "settings/settings_image.h"

// Apply reads each scanner first and downloads, with a verifying read-back,
// only to those that differ from the image. Probe finds the line settings only.
enum class FleetTask { Download, Read, Apply, Probe };

// The line settings of a transfer: those given, or those a probe finds first
// (--line auto), trying the given ones right after the factory ones.
struct LineChoice {
  PortSettings settings;
  bool find = false;
};

struct FleetPlan {
  FleetTask task = FleetTask::Download;
  bool verify = false;  // download: read back and compare bytes 0 to 253
  bool check = false;   // apply: read and compare only
  SettingsImage image;  // download and apply: what every scanner gets
  LineChoice line;
  std::vector<std::string> devices;
  std::vector<std::string> outputs;  // read: the file each device's image goes to
};

inline constexpr int kPortFailed = 1;
inline constexpr int kPortDiffers = 3;

struct PortResult {
  int status = 0;                          // 0, kPortFailed or kPortDiffers
  std::string reason;                      // why it failed
  std::string version;                     // the reply to "VERSION", empty when none came
  std::vector<FieldDifference> differing;  // the fields the read-back differs in
  std::vector<FieldDifference> changes;    // apply: scanner (before) against the image (after)
  PortSettings found;                      // in force: given, or found by a probe
  std::time_t finished = 0;
};

// Runs the plan on every device at once; the results are in device order.
std::vector<PortResult> RunFleet(const FleetPlan& plan);

// Opens `device` at the line settings given, or at those a probe finds (with
// `result.version`), either kept in `result.found`; false with `result.reason`.
bool OpenScannerLine(const std::string& device, const LineChoice& line, Port& port,
                     PortResult& result);

// One read-back from `device` into `image`; false with `reason`.
bool ReadScanner(const std::string& device, const LineChoice& line, SettingsImage& image,
                 std::string& reason);
