// Read scanner settings and Download settings end to end: the program's real
// windows under Wine, COM ports backed by native scanner simulators
// (COM1 answers, COM2 answers NAK to every block, COM3 stalls on read-back
// block 7, COM4 has no device).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "keycodes/key_code_string.h"
#include "link/port_settings.h"
#include "link/transfer.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/file_store.h"
#include "shell/document.h"
#include "shell/main_window.h"
#include "shell/progress_window.h"
#include "shell/scanner_link.h"
#include "tests/gui/gui_driver.h"
#include "tests/test_support.h"

namespace {

constexpr int kCom1 = 0, kCom2 = 1, kCom3 = 2, kCom4 = 3;

struct Choices {
  int comPort, baudRate, dataBits, parity, flowControl;
};
constexpr Choices kDefaultChoices{0, 0, 1, 0, 0};

// The dialog step that picks `choices` in "COM Port Properties" and presses OK.
DialogStep ChooseLine(Choices choices, int button = IDOK) {
  return [choices, button](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), "COM Port Properties");
    SelectEntry(dialog, IDC_COM_PORT, choices.comPort);
    SelectEntry(dialog, IDC_BAUD_RATE, choices.baudRate);
    SelectEntry(dialog, IDC_DATA_BITS, choices.dataBits);
    SelectEntry(dialog, IDC_PARITY, choices.parity);
    SelectEntry(dialog, IDC_FLOW_CONTROL, choices.flowControl);
    Press(button)(dialog);
  };
}
DialogStep ChoosePort(int comPort) { return ChooseLine({comPort, 0, 1, 0, 0}); }

// The dialog step that records what "COM Port Properties" shows, then cancels.
DialogStep ReadChoices(Choices& shown) {
  return [&shown](HWND dialog) {
    const auto selected = [dialog](int id) {
      return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
    };
    shown = {selected(IDC_COM_PORT), selected(IDC_BAUD_RATE), selected(IDC_DATA_BITS),
             selected(IDC_PARITY), selected(IDC_FLOW_CONTROL)};
    Press(IDCANCEL)(dialog);
  };
}

DialogStep ExpectSheet(int button) {
  return [button](HWND sheet) {
    EXPECT_EQ(WindowText(sheet), "Reader Settings");
    PressSheetButton(button)(sheet);
  };
}

bool operator==(const Choices& a, const Choices& b) {
  return a.comPort == b.comPort && a.baudRate == b.baudRate && a.dataBits == b.dataBits &&
         a.parity == b.parity && a.flowControl == b.flowControl;
}

// What simulator COMn holds after its last take-over, seen through Wine's Z: drive.
std::vector<uint8_t> StoredBySimulator(int n) {
  const char* dir = std::getenv("SKELV_SIM_DIR");
  if (!dir) return {};
  const std::string path = std::string("Z:") + dir + "/scanner" + std::to_string(n) + ".qrs";
  std::vector<uint8_t> bytes(kImageSize + 1);
  const long count = ReadFileStart(path.c_str(), bytes.data(), bytes.size());
  bytes.resize(count < 0 ? 0 : static_cast<size_t>(count));
  return bytes;
}

// Where two byte strings first differ, or -1 when they are equal; keeps a
// failure's message short.
int FirstDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) return static_cast<int>(i);
  return a.size() == b.size() ? -1 : static_cast<int>(std::min(a.size(), b.size()));
}

std::vector<uint8_t> Bytes(const SettingsImage& image) {
  return {image.bytes.begin(), image.bytes.end()};
}

std::vector<uint8_t> WithChecksumPair(SettingsImage image) {
  unsigned sum = 0;
  for (int i = 0; i < 254; ++i) sum += image.bytes[i];
  image.bytes[254] = static_cast<uint8_t>(sum);
  image.bytes[255] = static_cast<uint8_t>(~sum);
  return {image.bytes.begin(), image.bytes.end()};
}

// A configuration that differs from the simulator's factory image in edited,
// reserved and checksum bytes.
void MakeDistinctImage() {
  Set(settingsImage, field::scanningMode, 5);
  Set(settingsImage, field::scanTimeout, 77);
  settingsImage.bytes[240] = 0x5A;
}

int ProgressWindowsShown() {
  int count = 0;
  for (const std::string& caption : shownDialogs) count += caption == "Progress";
  return count;
}

class ScannerLink : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    portSettings = PortSettings{};
    replyDeadlines = kReplyDeadlines;
  }
  void TearDown() override {
    replyDeadlines = kReplyDeadlines;
    GuiTest::TearDown();
  }
};

TEST_F(ScannerLink, ReadBackOpensTheSheetOnTheScannersImage) {
  MakeDistinctImage();
  Expect({ChoosePort(kCom1), ExpectSheet(PSBTN_CANCEL)});
  Command(IDM_READ_SETTINGS);
  EXPECT_EQ(FirstDifference(Bytes(settingsImage), Bytes(FactoryImage())), -1);
  EXPECT_EQ(settingsModified, 1);
  EXPECT_EQ(ProgressWindowsShown(), 1);
  EXPECT_TRUE(shownBoxes.empty());
  EXPECT_EQ(progressWindow, nullptr);
}

TEST_F(ScannerLink, ReadBackOfAnRs232ImageRendersItsKeysAsCharacters) {
  // Store an RS-232 configuration in the scanner, then read it back.
  Set(settingsImage, field::interfaceType, 0);
  Expect({ChoosePort(kCom1), Press(IDOK)});
  Command(IDM_DOWNLOAD);
  ResetToFactoryDefaults();
  InterfaceMode = InterfaceKind::KeyboardWedge;
  Expect({ChoosePort(kCom1), ExpectSheet(PSBTN_OK)});
  Command(IDM_READ_SETTINGS);
  EXPECT_EQ(InterfaceMode, InterfaceKind::Rs232);
  EXPECT_NE(ReportViewText().find("    Suffix Settings : [CR] \r\n"), std::string::npos);
}

TEST_F(ScannerLink, DownloadLeavesTheImageAndItsChecksumPairInTheScanner) {
  MakeDistinctImage();
  const SettingsImage before = settingsImage;
  Expect({ChoosePort(kCom1), Press(IDOK)});
  Command(IDM_DOWNLOAD);
  ASSERT_EQ(shownBoxes.size(), 1u);
  EXPECT_EQ(shownBoxes[0].caption, "Download");
  EXPECT_EQ(shownBoxes[0].text, "Downloaded completely!");
  EXPECT_TRUE(shownBoxes[0].warningIcon);
  EXPECT_EQ(FirstDifference(StoredBySimulator(1), WithChecksumPair(before)), -1);
  EXPECT_EQ(FirstDifference(Bytes(settingsImage), WithChecksumPair(before)), -1);
  EXPECT_EQ(ProgressWindowsShown(), 1);
}

TEST_F(ScannerLink, ChangeDownloadAndReadAgainKeepsTheChange) {
  MakeDistinctImage();
  Expect({ChoosePort(kCom1), Press(IDOK)});
  Command(IDM_DOWNLOAD);
  const SettingsImage downloaded = settingsImage;
  ResetToFactoryDefaults();
  Expect({ChoosePort(kCom1), ExpectSheet(PSBTN_OK)});
  Command(IDM_READ_SETTINGS);
  EXPECT_EQ(FirstDifference(Bytes(settingsImage), Bytes(downloaded)), -1);
  EXPECT_NE(ReportViewText().find("Scan Mode : Repeat"), std::string::npos);
}

TEST_F(ScannerLink, RefusedDownloadRetriesTheWholeTransferOnYes) {
  Expect({ChoosePort(kCom2), Press(IDYES), Press(IDNO)});
  EXPECT_EQ(RunScannerLink(kDownload), 1);
  ASSERT_EQ(shownBoxes.size(), 2u);
  for (const ShownBox& box : shownBoxes) {
    EXPECT_EQ(box.caption, "Error");
    EXPECT_EQ(box.text, "Failed to download, would you like to retry?");
    EXPECT_TRUE(box.questionIcon);
    EXPECT_TRUE(box.yesNo);
  }
  EXPECT_EQ(ProgressWindowsShown(), 2);  // a new progress window for the retry
  EXPECT_TRUE(StoredBySimulator(2).empty());
}

TEST_F(ScannerLink, StalledReadBackGivenUpLeavesTheImageAndOpensNoSheet) {
  replyDeadlines = {300, 300};  // the scanner's silence need not be waited out in full
  MakeDistinctImage();
  const SettingsImage before = settingsImage;
  Expect({ChoosePort(kCom3), Press(IDNO)});
  Command(IDM_READ_SETTINGS);  // an unexpected sheet would fail the test
  EXPECT_EQ(FirstDifference(Bytes(settingsImage), Bytes(before)), -1);
  ASSERT_EQ(shownBoxes.size(), 1u);
  EXPECT_EQ(shownBoxes[0].text, "Failed to read, would you like to retry?");
  EXPECT_TRUE(shownBoxes[0].questionIcon);

  Expect({ChoosePort(kCom3), Press(IDNO)});
  EXPECT_EQ(RunScannerLink(kReadBack), -1);
}

TEST_F(ScannerLink, PortWithoutDeviceCannotBeOpened) {
  const SettingsImage before = settingsImage;
  Expect({ChoosePort(kCom4), Press(IDOK)});
  EXPECT_EQ(RunScannerLink(kReadBack), -1);
  ASSERT_EQ(shownBoxes.size(), 1u);
  EXPECT_EQ(shownBoxes[0].caption, "Error");
  EXPECT_EQ(shownBoxes[0].text, "Can't open the COM port!");
  EXPECT_TRUE(shownBoxes[0].warningIcon);
  EXPECT_EQ(FirstDifference(Bytes(settingsImage), Bytes(before)), -1);
  EXPECT_EQ(ProgressWindowsShown(), 0);
}

TEST_F(ScannerLink, CancelOpensNoPortAndShowsNothing) {
  const SettingsImage before = settingsImage;
  Expect({ChooseLine({kCom1, 2, 0, 1, 1}, IDCANCEL)});
  EXPECT_EQ(RunScannerLink(kDownload), 0);
  Expect({ChooseLine({kCom1, 2, 0, 1, 1}, IDCANCEL)});
  Command(IDM_READ_SETTINGS);
  EXPECT_TRUE(shownBoxes.empty());
  EXPECT_EQ(ProgressWindowsShown(), 0);
  EXPECT_EQ(FirstDifference(Bytes(settingsImage), Bytes(before)), -1);
  Choices shown{};
  Expect({ReadChoices(shown)});
  RunScannerLink(kDownload);
  EXPECT_TRUE(shown == kDefaultChoices);  // Cancel kept the choices as they were
}

TEST_F(ScannerLink, ChoicesAreKeptBetweenConnections) {
  Choices shown{};
  Expect({ReadChoices(shown)});
  RunScannerLink(kReadBack);
  EXPECT_TRUE(shown == kDefaultChoices);

  const Choices chosen{kCom4, 2, 0, 1, 1};  // COM4, 9600, 7, Even, Hardware
  Expect({ChooseLine(chosen), Press(IDOK)});
  EXPECT_EQ(RunScannerLink(kReadBack), -1);
  Expect({ReadChoices(shown)});
  RunScannerLink(kDownload);
  EXPECT_TRUE(shown == chosen);
  EXPECT_EQ(portSettings.baudRate, 2);
  EXPECT_EQ(portSettings.flowControl, 1);
}

}  // namespace
