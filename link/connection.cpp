// Opening, configuring, purging and closing the scanner's port.
#include "link/connection.h"

const char* ComPortName(const PortSettings& settings) {
  return kComPortEntries[settings.comPort];
}

PortOpenResult OpenScannerPort(Port& port, const char* device, const PortSettings& settings) {
  const PortOpenResult opened = OpenProbePort(port, device);
  if (opened != PortOpenResult::Opened) return opened;
  if (!ApplyLineState(port, LineStateFromSettings(settings))) {
    ClosePort(port);
    return PortOpenResult::SettingsRefused;
  }
  return PortOpenResult::Opened;
}

PortOpenResult OpenProbePort(Port& port, const char* device) {
  if (!OpenPort(port, device)) return PortOpenResult::CannotOpen;
  // A driver that keeps its own queue sizes still serves the link.
  SetPortQueues(port, kInputQueueSize, kOutputQueueSize);
  // Without the time-outs reads could block, so refusing them refuses the line.
  if (!ApplyLinkTimeouts(port, kLinkTimeouts)) {
    ClosePort(port);
    return PortOpenResult::SettingsRefused;
  }
  return PortOpenResult::Opened;
}

void CloseScannerPort(Port& port) {
  PurgePortInput(port);
  ClosePort(port);
}
