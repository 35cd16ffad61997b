// Opening, configuring, purging and closing the scanner's port.
#include "link/connection.h"

const char* ComPortName(const PortSettings& settings) {
  return kComPortEntries[settings.comPort];
}

namespace {

// Opens `device` with the link's queues, then applies the line state when one
// is given (before the time-outs, in the order the connection takes its
// steps) and the time-outs.
PortOpenResult OpenLinkPort(Port& port, const char* device, const LineState* line) {
  if (!OpenPort(port, device)) return PortOpenResult::CannotOpen;
  // A driver that keeps its own queue sizes still serves the link.
  SetPortQueues(port, kInputQueueSize, kOutputQueueSize);
  // Without the time-outs reads could block, so refusing them refuses the line.
  if ((line && !ApplyLineState(port, *line)) || !ApplyLinkTimeouts(port, kLinkTimeouts)) {
    ClosePort(port);
    return PortOpenResult::SettingsRefused;
  }
  return PortOpenResult::Opened;
}

}  // namespace

PortOpenResult OpenScannerPort(Port& port, const char* device, const PortSettings& settings) {
  const LineState line = LineStateFromSettings(settings);
  return OpenLinkPort(port, device, &line);
}

PortOpenResult OpenProbePort(Port& port, const char* device) {
  return OpenLinkPort(port, device, nullptr);
}

void CloseScannerPort(Port& port) {
  PurgePortInput(port);
  ClosePort(port);
}
