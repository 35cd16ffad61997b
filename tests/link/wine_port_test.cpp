// The Win32 port against the native simulator, which the wrapper script puts
// behind COM1: one full download and one full read-back; COM6 has no device.
#include <gtest/gtest.h>

#include <algorithm>

#include "link/connection.h"
#include "link/transfer.h"

namespace {

TEST(Win32Port, DownloadThenReadBackThroughCom1) {
  // Bytes 0 to 253 sum to 0x34 modulo 256; byte 40 puts a 9 in both its digits.
  SettingsImage sent, received;
  std::fill_n(sent.bytes.begin(), 18, 0xFF);
  sent.bytes[18] = 0xAD;
  sent.bytes[40] = 0x99;
  Port port;
  LinkFailure failure;
  ASSERT_EQ(OpenScannerPort(port, "COM1", {}), PortOpenResult::Opened) << PortErrorText();
  const int downloaded = DownloadImage(port, sent, TransferProgress{}, &failure);
  CloseScannerPort(port);
  ASSERT_EQ(downloaded, 1) << DescribeLinkFailure(failure);
  EXPECT_EQ(sent.bytes[254] * 0x100 + sent.bytes[255], 0x34CB);
  // Another line setting on a new opening of the same port.
  const PortSettings settings{.baudRate = 2, .dataBits = 0, .parity = 1, .flowControl = 2};
  ASSERT_EQ(OpenScannerPort(port, ComPortName(settings), settings), PortOpenResult::Opened)
      << PortErrorText();
  const int read = ReadBackImage(port, received, TransferProgress{}, &failure);
  CloseScannerPort(port);
  ASSERT_EQ(read, 1) << DescribeLinkFailure(failure);
  EXPECT_EQ(received.bytes, sent.bytes);
  const PortSettings com6{.comPort = 5};
  EXPECT_EQ(OpenScannerPort(port, ComPortName(com6), com6), PortOpenResult::CannotOpen);
}

}  // namespace
