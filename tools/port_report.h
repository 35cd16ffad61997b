// What the fleet commands print of each port's result, and the result column
// of its log row.
#pragma once

#include <string>

#include "tools/fleet.h"

struct PortReport {
  std::string result;   // "ok", "unchanged", "failed: REASON", ...
  std::string printed;  // the port's lines on standard output
};

// download and read: "PORT: ok" or "PORT: failed: REASON".
PortReport TransferReport(const std::string& device, const PortResult& r);

struct ApplyShow {
  bool check = false;  // nothing was downloaded: "would change"
  bool diff = false;   // a "name: scanner -> file" line per field under the port's line
  bool json = false;   // one JSON object per port instead of lines
};
// apply: "PORT: unchanged", "PORT: changed (N fields)", "PORT: would change:
// FIELD, ..." or "PORT: failed: REASON".
PortReport ApplyReport(const std::string& device, const PortResult& r, const ApplyShow& show);

// probe: "PORT: LINE SETTINGS (VERSION)" or "PORT: REASON", or one JSON
// object.
PortReport ProbeReport(const std::string& device, const PortResult& r, bool json);
