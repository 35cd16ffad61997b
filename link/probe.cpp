// The search for the line settings at which a scanner answers the version query.
#include "link/probe.h"

#include <cctype>

#include "link/transfer.h"
#include "settings/factory_defaults.h"

namespace {

bool SameLine(const PortSettings& a, const PortSettings& b) {
  return a.baudRate == b.baudRate && a.dataBits == b.dataBits && a.parity == b.parity;
}

// The port reads back what was asked: a pseudo-terminal, for one, keeps 8
// data bits and no parity whatever it is told.
bool Took(Port& port, const LineState& asked) {
  LineState now = asked;
  return ReadLineState(port, now) && now.baudRate == asked.baudRate &&
         now.byteSize == asked.byteSize && now.parity == asked.parity;
}

}  // namespace

std::vector<PortSettings> ProbeOrder(const PortSettings& given) {
  const SettingsImage factory = FactoryImage();
  PortSettings first;
  first.comPort = given.comPort;
  first.baudRate = Get(factory, field::baudRate);
  first.dataBits = Get(factory, field::dataBits);
  first.parity = Get(factory, field::parity);
  PortSettings second = given;
  second.flowControl = 0;
  second.verifyDownload = 0;
  std::vector<PortSettings> order{first};
  const auto add = [&order](const PortSettings& line) {
    for (const PortSettings& had : order)
      if (SameLine(had, line)) return;
    order.push_back(line);
  };
  add(second);
  for (uint8_t baud = 0; baud < std::size(kBaudRates); ++baud)
    for (const uint8_t dataBits : {1, 0})
      for (uint8_t parity = 0; parity < std::size(kParityEntries); ++parity)
        add({.comPort = given.comPort, .baudRate = baud, .dataBits = dataBits, .parity = parity});
  return order;
}

std::string LineText(const PortSettings& line) {
  return std::string(kBaudRateEntries[line.baudRate]) + " " + kDataBitsEntries[line.dataBits] +
         " data bits, parity " + kParityWords[line.parity];
}

bool IsVersionReply(std::string_view reply) {
  if (!reply.starts_with("Ver:")) return false;
  reply.remove_prefix(4);
  // Groups of digits joined by single dots.
  bool digit = false;
  for (const char c : reply) {
    if (c == '.' && digit)
      digit = false;
    else if (std::isdigit(static_cast<unsigned char>(c)))
      digit = true;
    else
      return false;
  }
  return digit;
}

ProbeResult ProbeScanner(Port& port, const PortSettings& given, const ProbeProgress& progress) {
  const std::vector<PortSettings> order = ProbeOrder(given);
  ProbeResult result;
  result.count = static_cast<int>(order.size());
  for (int i = 0; i < result.count; ++i) {
    const PortSettings& line = order[static_cast<size_t>(i)];
    if (progress.trying && !progress.trying(progress.context, line, i, result.count)) {
      result.cancelled = true;
      return result;
    }
    const LineState state = LineStateFromSettings(line);
    if (!ApplyLineState(port, state) || !Took(port, state)) continue;
    PurgePortInput(port);
    std::string reply;
    QueryScannerVersion(port, &reply);
    if (IsVersionReply(reply)) {
      result.found = true;
      result.line = line;
      result.version = reply;
      return result;
    }
  }
  return result;
}
