// PortSettings and the line state built from them.
#include "link/port_settings.h"

PortSettings portSettings;

std::span<uint8_t> SettingsBytes(PortSettings& settings) {
  return {reinterpret_cast<uint8_t*>(&settings), sizeof settings};
}

LineState LineStateFromSettings(const PortSettings& settings) {
  LineState line;
  line.baudRate = kBaudRates[settings.baudRate];
  line.byteSize = settings.dataBits == 0 ? 7 : 8;
  line.parity = kLineParities[settings.parity];
  switch (settings.flowControl) {
    case 1:
      line.outxCtsFlow = true;
      line.rtsControl = RtsControl::Enable;
      break;
    case 2:
      line.outX = true;
      break;
    default:
      break;
  }
  return line;
}
