// The line state a connection makes of the COM port choices.
#include <gtest/gtest.h>

#include <tuple>

#include "link/port_settings.h"

namespace {

TEST(LineState, FollowsTheChoices) {
  const struct {
    PortSettings choices;
    LineState line;
  } kCases[] = {
      {{}, {.baudRate = 38400, .byteSize = 8}},
      {{.baudRate = 2, .dataBits = 0, .parity = 1, .flowControl = 1},
       {.baudRate = 9600,
        .byteSize = 7,
        .parity = LineParity::Even,
        .rtsControl = RtsControl::Enable,
        .outxCtsFlow = true}},
      {{.baudRate = 5, .parity = 2, .flowControl = 2},
       {.baudRate = 1200, .byteSize = 8, .parity = LineParity::Odd, .outX = true}},
  };
  for (const auto& c : kCases) {
    const LineState line = LineStateFromSettings(c.choices);
    EXPECT_EQ(line, c.line) << line.baudRate;
    // Whatever the flow control, parity is not checked, DTR stays low and
    // the XON/XOFF pair is set, which Windows needs even with flow control off.
    EXPECT_EQ(std::make_tuple(line.parityCheck, line.inX, line.stopBits, line.dtrControl,
                              line.xonChar, line.xoffChar),
              std::make_tuple(false, false, StopBits::One, DtrControl::Disable, '\x11', '\x13'));
  }
}

}  // namespace
