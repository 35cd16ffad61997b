// Transfers with many scanners at once, one thread per port: the task on each
// port, a progress line per port on a terminal, and each port's result.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "fields/field_list.h"
#include "link/port_settings.h"
#include "settings/settings_image.h"

// Apply reads each scanner first and downloads, with a verifying read-back,
// only to those that differ from the image.
enum class FleetTask { Download, Read, Apply };

struct FleetPlan {
  FleetTask task = FleetTask::Download;
  bool verify = false;  // download: read back and compare bytes 0 to 253
  bool check = false;   // apply: read and compare only
  SettingsImage image;  // download and apply: what every scanner gets
  PortSettings line;
  std::vector<std::string> devices;
  std::vector<std::string> outputs;  // read: the file each device's image goes to
};

inline constexpr int kPortFailed = 1;
inline constexpr int kPortDiffers = 3;

struct PortResult {
  int status = 0;                        // 0, kPortFailed or kPortDiffers
  std::string reason;                    // why it failed
  std::string version;                   // the reply to "VERSION", empty when none came
  std::vector<std::string> differing;    // the fields the read-back differs in
  std::vector<FieldDifference> changes;  // apply: scanner (before) against the image (after)
  std::time_t finished = 0;
};

// Runs the plan on every device at once; the results are in device order.
std::vector<PortResult> RunFleet(const FleetPlan& plan);

// One read-back from `device` into `image`; false with `reason`.
bool ReadScanner(const std::string& device, const PortSettings& line, SettingsImage& image,
                 std::string& reason);
