// The lines and JSON objects of the fleet commands' port results.
#include "tools/port_report.h"

#include <nlohmann/json.hpp>

#include "link/probe.h"

namespace {

std::string Shown(const std::string& text) {
  return text.empty() ? "(empty)" : text;
}

std::string ApplyResult(const PortResult& r, bool check) {
  if (r.status) return "failed: " + r.reason;
  if (r.changes.empty()) return "unchanged";
  if (!check) return "changed (" + std::to_string(r.changes.size()) + " fields)";
  return "would change: " + DifferenceNames(r.changes, ", ");
}

// Values as `skelv get` writes them: an empty key sequence is an empty text.
std::string ApplyJson(const std::string& device, const PortResult& r) {
  nlohmann::ordered_json fields = nlohmann::ordered_json::array();
  for (const FieldDifference& d : r.changes)
    fields.push_back({{"name", d.name}, {"before", d.before}, {"after", d.after}});
  const nlohmann::ordered_json object = {
      {"port", device},
      {"changed", r.status == 0 && !r.changes.empty()},
      {"failed", r.status != 0},
      {"reason", r.status ? nlohmann::ordered_json(r.reason) : nullptr},
      {"fields", fields}};
  // Invalid UTF-8 in a device name must not end the run.
  return object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

std::string ProbeJson(const std::string& device, const PortResult& r) {
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
  return object.dump() + "\n";
}

}  // namespace

PortReport TransferReport(const std::string& device, const PortResult& r) {
  const std::string result = r.status ? "failed: " + r.reason : "ok";
  return {result, device + ": " + result + "\n"};
}

PortReport ApplyReport(const std::string& device, const PortResult& r, const ApplyShow& show) {
  PortReport report{ApplyResult(r, show.check), ""};
  if (show.json) {
    report.printed = ApplyJson(device, r);
    return report;
  }
  report.printed = device + ": " + report.result + "\n";
  if (show.diff && r.status == 0)
    for (const FieldDifference& d : r.changes)
      report.printed += "  " + d.name + ": " + Shown(d.before) + " -> " + Shown(d.after) + "\n";
  return report;
}

PortReport ProbeReport(const std::string& device, const PortResult& r, bool json) {
  const std::string result = r.status ? r.reason : LineText(r.found) + " (" + r.version + ")";
  return {result, json ? ProbeJson(device, r) : device + ": " + result + "\n"};
}
