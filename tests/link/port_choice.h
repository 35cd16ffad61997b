// PortSettings with the given line choices (list indexes), COM1.
#pragma once

#include "link/port_settings.h"

inline PortSettings Choose(int baud, int dataBits, int parity, int flow) {
  PortSettings s;
  s.baudRate = baud;
  s.dataBits = dataBits;
  s.parity = parity;
  s.flowControl = flow;
  return s;
}
