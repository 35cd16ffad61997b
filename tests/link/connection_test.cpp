// Opening, configuring, purging and closing a terminal as the scanner port.
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>

#include <string>

#include "tests/link/link_fixture.h"
#include "tests/link/port_choice.h"

namespace {

TEST(OpenScannerPort, MissingDeviceCannotBeOpened) {
  Port port;
  EXPECT_EQ(OpenScannerPort(port, "/dev/skelv-no-such-port", PortSettings{}),
            PortOpenResult::CannotOpen);
  EXPECT_EQ(std::string(PortErrorText()), "No such file or directory");
  EXPECT_EQ(port.handle, -1);
}

TEST(OpenScannerPort, DeviceThatIsNoTerminalRefusesTheLineAndIsClosed) {
  Port port;
  EXPECT_EQ(OpenScannerPort(port, "/dev/null", PortSettings{}), PortOpenResult::SettingsRefused);
  EXPECT_EQ(port.handle, -1);
}

TEST_F(LinkTest, PortInUseCannotBeOpenedUntilClosed) {
  Connect();
  Port second;
  EXPECT_EQ(OpenScannerPort(second, peer.pty.path.c_str(), PortSettings{}),
            PortOpenResult::CannotOpen);
  EXPECT_EQ(std::string(PortErrorText()), "Device or resource busy");
  CloseScannerPort(port);
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(OpenScannerPort(second, peer.pty.path.c_str(), PortSettings{}),
              PortOpenResult::Opened)
        << PortErrorText();
    CloseScannerPort(second);
  }
}

TEST_F(LinkTest, LineSettingsReachTheTerminal) {
  Connect(Choose(2, 0, 1, 1));  // 9600, 7 bits, even parity, hardware flow
  termios t{};
  ASSERT_EQ(tcgetattr(peer.pty.slave, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
  EXPECT_EQ(cfgetispeed(&t), static_cast<speed_t>(B9600));
  // A pseudo-terminal keeps no character size or parity of its own.
  EXPECT_FALSE(t.c_cflag & CSTOPB);
  EXPECT_TRUE(t.c_cflag & CRTSCTS);
  EXPECT_FALSE(t.c_iflag & (IXON | IXOFF | INPCK));
  EXPECT_FALSE(t.c_lflag & (ICANON | ECHO));
  CloseScannerPort(port);

  // Xon/Xoff after Hardware: output flow control by characters only.
  ASSERT_EQ(OpenScannerPort(port, peer.pty.path.c_str(), Choose(5, 1, 2, 2)),
            PortOpenResult::Opened);
  ASSERT_EQ(tcgetattr(peer.pty.slave, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B1200));
  EXPECT_FALSE(t.c_cflag & CRTSCTS);
  EXPECT_TRUE(t.c_iflag & IXON);
  EXPECT_FALSE(t.c_iflag & IXOFF);
  EXPECT_EQ(t.c_cc[VSTART], 0x11);
  EXPECT_EQ(t.c_cc[VSTOP], 0x13);
  CloseScannerPort(port);

  ASSERT_EQ(OpenScannerPort(port, peer.pty.path.c_str(), PortSettings{}), PortOpenResult::Opened);
  ASSERT_EQ(tcgetattr(peer.pty.slave, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B38400));
  EXPECT_FALSE(t.c_cflag & CRTSCTS);
  EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
}

TEST_F(LinkTest, PurgeDiscardsReceivedInput) {
  peer.script = [](const std::string&) -> std::vector<std::string> { return {"JUNK\r"}; };
  Connect();
  ASSERT_EQ(WritePort(port, reinterpret_cast<const uint8_t*>("PING\r"), 5), 1);
  pollfd p{static_cast<int>(port.handle), POLLIN, 0};
  ASSERT_EQ(poll(&p, 1, 5000), 1);
  PurgePortInput(port);
  uint8_t buffer[8];
  EXPECT_EQ(ReadPort(port, buffer, sizeof buffer), 0);
}

TEST_F(LinkTest, ReadsReturnAtOnceWhenNothingArrived) {
  UseSimulator({}, SettingsImage{});
  Connect();
  uint8_t buffer[8];
  EXPECT_EQ(ReadPort(port, buffer, sizeof buffer), 0);
  EXPECT_EQ(WaitForPortInput(port, 0), 0);
}

}  // namespace
