// The Win32 port against the native simulator, which the wrapper script
// puts behind COM1: one full download and one full read-back.
#include <gtest/gtest.h>

#include "link/connection.h"
#include "link/transfer.h"
#include "settings/factory_defaults.h"

namespace {

// Bytes 0 to 253 sum to 0x34 modulo 256; byte 40 puts a 9 in both its digits.
SettingsImage SampleImage() {
  SettingsImage image = FactoryImage();
  for (int i = 0; i < kImageSize - 2; ++i) image.bytes[i] = 0;
  for (int i = 0; i < 18; ++i) image.bytes[i] = 0xFF;
  image.bytes[18] = 0xAD;
  image.bytes[40] = 0x99;
  return image;
}

TEST(Win32Port, DownloadThenReadBackThroughCom1) {
  PortSettings settings;
  Port port;
  ASSERT_EQ(OpenScannerPort(port, ComPortName(settings), settings), PortOpenResult::Opened)
      << PortErrorText();
  SettingsImage sent = SampleImage();
  LinkFailure failure;
  const int downloaded = DownloadImage(port, sent, TransferProgress{}, &failure);
  CloseScannerPort(port);
  ASSERT_EQ(downloaded, 1) << DescribeLinkFailure(failure);
  EXPECT_EQ(sent.bytes[254], 0x34);
  EXPECT_EQ(sent.bytes[255], 0xCB);

  // Another line setting on a new opening of the same port.
  settings.baudRate = 2;
  settings.dataBits = 0;
  settings.parity = 1;
  settings.flowControl = 2;
  ASSERT_EQ(OpenScannerPort(port, ComPortName(settings), settings), PortOpenResult::Opened)
      << PortErrorText();
  SettingsImage received;
  const int read = ReadBackImage(port, received, TransferProgress{}, &failure);
  CloseScannerPort(port);
  ASSERT_EQ(read, 1) << DescribeLinkFailure(failure);
  EXPECT_EQ(received.bytes, sent.bytes);
}

TEST(Win32Port, AbsentPortCannotBeOpened) {
  PortSettings settings;
  settings.comPort = 5;  // COM6: no device behind it in the test prefix
  Port port;
  EXPECT_EQ(OpenScannerPort(port, ComPortName(settings), settings), PortOpenResult::CannotOpen);
  EXPECT_STRNE(PortErrorText(), "");
}

}  // namespace
