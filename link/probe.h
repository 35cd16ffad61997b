// Finding the line settings at which a scanner answers: the settings in the
// order they are tried, and the search over one open port.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "link/port.h"
#include "link/port_settings.h"

// Every combination of baud rate, data bits and parity, flow control none, on
// the COM port of `given`; the likeliest first: the scanner's factory line
// settings, then `given`, then the rest in list order, 8 data bits before 7.
std::vector<PortSettings> ProbeOrder(const PortSettings& given);

// The parity entries as skelv spells them.
inline constexpr const char* kParityWords[] = {"none", "even", "odd"};

// "9600 8 data bits, parity even"
std::string LineText(const PortSettings& line);

// Whether a reply line, without its CR, reads as a version reply: "Ver:" and
// a number such as 2.10.
bool IsVersionReply(std::string_view reply);

// Told each setting before it is tried: its place in the order from 0, and
// the count. Returning false stops the search.
struct ProbeProgress {
  void* context = nullptr;
  bool (*trying)(void* context, const PortSettings& line, int index, int count) = nullptr;
};

struct ProbeResult {
  bool found = false;
  bool cancelled = false;
  PortSettings line;    // found: the settings at which the scanner answered, left in force
  std::string version;  // found: its version reply
  int count = 0;        // the settings in the order, tried or not
};

// Tries the settings of ProbeOrder(given) on `port` in place: applies each and
// reads it back (a setting refused or not taken is passed over), discards
// what arrived, sends the version query and waits for one reply line. Stops
// at the first whole version reply.
ProbeResult ProbeScanner(Port& port, const PortSettings& given, const ProbeProgress& progress);
