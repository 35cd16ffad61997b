// Read scanner settings and Download settings end to end: the program's real
// windows under Wine, COM ports backed by native scanner simulators
// (COM1 answers, COM2 answers NAK to every block, COM3 stalls on read-back
// block 7, COM4 has no device).
#include "shell/scanner_link.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>
#include <string>

#include "keycodes/key_code_string.h"
#include "link/port_settings.h"
#include "link/transfer.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/file_store.h"
#include "shell/document.h"
#include "shell/report_view.h"
#include "tests/gui/gui_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kCom1 = 0, kCom2 = 1, kCom3 = 2, kCom4 = 3;  // COM4 has no device

// Picks a COM port in "COM Port Properties", and the entries of the baud
// rate, data bits, parity and flow control lists (by default 38400, 8 bits, no
// parity, no flow control); then presses OK.
DialogStep ChoosePort(int comPort, std::array<int, 4> line = {0, 1, 0, 0}) {
  return [comPort, line](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), "COM Port Properties");
    SelectEntry(dialog, IDC_COM_PORT, comPort);
    for (int i = 0; i < 4; ++i) SelectEntry(dialog, IDC_BAUD_RATE + i, line[i]);
    Press(IDOK)(dialog);
  };
}

// What simulator COMn holds after its last take-over, seen through Wine's Z: drive;
// nothing when it took none. Without the simulators' folder the test fails.
Bytes StoredBySimulator(int n) {
  const char* dir = std::getenv("SKELV_SIM_DIR");
  if (!dir) ADD_FAILURE() << "SKELV_SIM_DIR is not set";
  if (!dir) return {};
  const std::string path = std::string("Z:") + dir + "/scanner" + std::to_string(n) + ".qrs";
  Bytes bytes(kImageSize + 1);
  const long count = ReadFileStart(path.c_str(), bytes.data(), bytes.size());
  bytes.resize(count < 0 ? 0 : static_cast<size_t>(count));
  return bytes;
}

int ProgressWindowsShown() {
  return static_cast<int>(std::count(shownDialogs.begin(), shownDialogs.end(), "Progress"));
}

using ScannerLink = GuiTest;  // which puts back the port settings and reply deadlines

TEST_F(ScannerLink, DownloadThenReadBackGivesTheSameImage) {
  // An RS-232 configuration that differs in edited, reserved and checksum bytes.
  Patch(settingsImage.bytes.data(), "0: 00 4: 51 240: 5A");  // scan mode "Repeat"
  Bytes expected = ImageBytes();
  const unsigned sum = std::accumulate(expected.begin(), expected.begin() + 254, 0u);
  expected[254] = static_cast<uint8_t>(sum);
  expected[255] = static_cast<uint8_t>(~sum);
  Expect({ChoosePort(kCom1), Press(IDOK)});
  Command(IDM_DOWNLOAD);
  ASSERT_EQ(shownBoxes.size(), 1u);
  EXPECT_EQ(shownBoxes[0].Says(), "Download: Downloaded completely! (warning)");
  EXPECT_EQ(StoredBySimulator(1), expected);
  EXPECT_EQ(ImageBytes(), expected);

  ResetToFactoryDefaults();
  settingsModified = 0;
  // Another line setting on a new opening of the same port.
  Expect({ChoosePort(kCom1, {2, 0, 1, 2}), OnSheet([](HWND) {}, PSBTN_OK)});  // 9600 7E Xon/Xoff
  Command(IDM_READ_SETTINGS);
  EXPECT_EQ(ImageBytes(), expected);
  EXPECT_EQ(settingsModified, 1);
  EXPECT_EQ(InterfaceMode, InterfaceKind::Rs232);
  EXPECT_NE(WindowText(reportEdit).find("    Suffix Settings : [CR] \r\n"), std::string::npos);
  EXPECT_EQ(ProgressWindowsShown(), 2);
}

TEST_F(ScannerLink, RefusedDownloadRetriesTheWholeTransferOnYes) {
  Expect({ChoosePort(kCom2), Press(IDYES), Press(IDNO)});
  Run([] { EXPECT_EQ(RunScannerLink(kDownload), 1); });
  ASSERT_EQ(shownBoxes.size(), 2u);
  for (const ShownBox& box : shownBoxes) {
    EXPECT_EQ(box.Says(), "Error: Failed to download, would you like to retry? (question)");
    EXPECT_TRUE(box.yesNo);
  }
  EXPECT_EQ(ProgressWindowsShown(), 2);  // a new progress window for the retry
  EXPECT_TRUE(StoredBySimulator(2).empty());
}

TEST_F(ScannerLink, FailedReadBackLeavesTheImageAndOpensNoSheet) {
  replyDeadlines = {300, 300};  // the scanner's silence need not be waited out in full
  settingsImage.bytes[240] = 0x5A;
  const Bytes before = ImageBytes();
  Expect({ChoosePort(kCom3), Press(IDNO)});
  Command(IDM_READ_SETTINGS);  // an unexpected sheet would fail the test
  EXPECT_EQ(shownBoxes.at(0).text, "Failed to read, would you like to retry?");
  Expect({ChoosePort(kCom4), Press(IDOK)});
  Run([] { EXPECT_EQ(RunScannerLink(kReadBack), -1); });
  EXPECT_EQ(shownBoxes.at(1).Says(), "Error: Can't open the COM port! (warning)");
  Expect({Press(IDCANCEL)});
  Run([] { EXPECT_EQ(RunScannerLink(kDownload), 0); });
  EXPECT_EQ(shownBoxes.size(), 2u);
  EXPECT_EQ(ImageBytes(), before);
  EXPECT_EQ(ProgressWindowsShown(), 1);
}

}  // namespace
