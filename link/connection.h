// Opening and closing the scanner's port around transfers: the steps of a
// connection before and after the transfer itself.
#pragma once

#include "link/port.h"
#include "link/port_settings.h"

enum class PortOpenResult {
  Opened,           // open, queues set, line state and time-outs applied
  CannotOpen,       // absent or in use; PortErrorText() tells why
  SettingsRefused,  // the port refused the line state or time-outs and is closed again
};

// The device the COM port choice names ("COM1" .. "COM6").
const char* ComPortName(const PortSettings& settings);

// Opens `device` exclusively, sets the queues to 256 bytes in and 1200 out,
// and applies the line state built from `settings` and kLinkTimeouts.
PortOpenResult OpenScannerPort(Port& port, const char* device, const PortSettings& settings);

// Opens `device` as OpenScannerPort does, with the time-outs but leaving the
// line state to a search that sets one after another.
PortOpenResult OpenProbePort(Port& port, const char* device);

// Discards the received input that is left and closes the port.
void CloseScannerPort(Port& port);
