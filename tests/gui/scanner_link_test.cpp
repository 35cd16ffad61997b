// Read scanner settings and Download settings end to end: the program's real
// windows under Wine, COM ports backed by native scanner simulators
// (COM1 answers, COM2 answers NAK to every block, COM3 stalls on read-back
// block 7, COM4 has no device, COM5 answers at 4800 baud only, COM6 keeps its
// image and leaves "VERSION" unanswered).
#include "shell/scanner_link.h"

#include <algorithm>
#include <string>

#include "keycodes/key_code_string.h"
#include "link/port_settings.h"
#include "link/transfer.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "shell/document.h"
#include "shell/report_view.h"
#include "tests/gui/gui_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The search's progress window, which closes by itself.
void SearchRuns(HWND) {}

using ScannerLink = GuiTest;  // which puts back the port settings and reply deadlines

TEST_F(ScannerLink, DownloadThenReadBackGivesTheSameImage) {
  // An RS-232 configuration that differs in edited, reserved and checksum bytes.
  Patch(settingsImage.bytes.data(), "0: 00 4: 51 240: 5A");  // scan mode "Repeat"
  Bytes expected = ImageBytes();
  Patch(expected.data(), "254: 4F B0");  // the sum of bytes 0 to 253, and its complement
  Expect({ChoosePort(kCom1), Press(IDOK)});
  Command(IDM_DOWNLOAD);
  EXPECT_EQ(shownBoxes.at(0).Says(), "Download: Downloaded completely! (warning)");
  EXPECT_EQ(ReadWholeFile(SimulatorPath("scanner1.qrs")), expected);
  EXPECT_EQ(ImageBytes(), expected);

  ResetToFactoryDefaults();
  settingsModified = 0;
  // Another line setting on a new opening of the same port, whose rate the
  // simulator sees (below).
  Expect({ChoosePort(kCom1, {2, 0, 1, 2}), OnSheet([](HWND) {}, PSBTN_OK)});  // 9600 7E Xon/Xoff
  Command(IDM_READ_SETTINGS);
  EXPECT_EQ(ImageBytes(), expected);
  EXPECT_EQ(settingsModified, 1);
  EXPECT_EQ(InterfaceMode, InterfaceKind::Rs232);
  EXPECT_NE(WindowText(reportEdit).find("    Suffix Settings : [CR] \r\n"), std::string::npos);
  EXPECT_EQ(std::ranges::count(shownDialogs, "Progress"), 2);
  // The rates reached the line; a pseudo-terminal keeps 8 data bits and no parity.
  const Bytes lines = ReadWholeFile(SimulatorPath("lines1.txt"));
  EXPECT_EQ(std::string(lines.begin(), lines.end()),
            "skelv simulate: line set to 38400 baud, 8 data bits, parity none\n"
            "skelv simulate: line set to 9600 baud, 8 data bits, parity none\n");
}

// Find leaves the lists as they were where no scanner on COM6 answers
// "VERSION", on COM4, which has no device, and on COM5 when Cancel stops it
// before it reaches 4800. Found at 4800 on COM5, the rate goes into the lists,
// OK keeps it with Verify checked, and the download then says it was verified.
TEST_F(ScannerLink, FindPutsTheRateFoundIntoTheListsAndAVerifiedDownloadSaysSo) {
  replyDeadlines = {300, 300};
  Patch(settingsImage.bytes.data(), "4: 11");
  Expect({[](HWND dialog) {
            for (const int port : {kCom6, kCom4, kCom5}) {
              SelectEntry(dialog, IDC_COM_PORT, port);
              Click(dialog, IDC_FIND_LINE);
            }
            const auto lines = {IDC_VERIFY_DOWNLOAD, IDC_BAUD_RATE, IDC_DATA_BITS, IDC_PARITY,
                                IDC_FOUND_LINE};
            EXPECT_EQ(ItemTexts(dialog, lines), "off|38400|8|None|");
            replyDeadlines = kReplyDeadlines;  // a download at 4800 takes its time
            Click(dialog, IDC_FIND_LINE);
            EXPECT_EQ(ItemTexts(dialog, lines),
                      "off|4800|8|None|Found at 4800 8 data bits, parity none (Ver:2.00)");
            EXPECT_EQ(portSettings.baudRate, 0);  // nothing stored before OK
            Click(dialog, IDC_VERIFY_DOWNLOAD);
            Press(IDOK)(dialog);
          },
          SearchRuns, Press(IDOK), Press(IDOK), Press(IDCANCEL), SearchRuns, Press(IDOK)});
  Command(IDM_DOWNLOAD);
  // Every box took a step: the driver fails the test on any other.
  EXPECT_EQ(shownBoxes.at(0).Says(),
            "Error: No scanner answered on COM6 at any line setting. (warning)");
  EXPECT_EQ(shownBoxes.at(1).Says(), "Error: Can't open the COM port! (warning)");
  EXPECT_EQ(shownBoxes.at(2).Says(), "Download: Downloaded and verified.");
  EXPECT_EQ(ReadWholeFile(SimulatorPath("scanner5.qrs")), ImageBytes());
  EXPECT_EQ(portSettings.baudRate, 3);
  EXPECT_EQ(portSettings.verifyDownload, 1);
}

// The read-back of a scanner that kept its old image names what did not
// land, asks for another download, and leaves the program's image alone.
TEST_F(ScannerLink, VerifiedDownloadNamesTheFieldsTheScannerDidNotTake) {
  replyDeadlines = {300, 300};
  portSettings.verifyDownload = 1;
  Patch(settingsImage.bytes.data(), "4: 11 31: 09");  // scan mode Continuous, suffix HT
  const Bytes before = ImageBytes();
  const char* kDiffers =
      "Download: The scanner's settings read back differ from those downloaded in: "
      "Scan Mode, Suffix Settings.\n\nDownload again? (warning)";
  Expect({ChoosePort(kCom6), Press(IDYES), Press(IDNO)});
  Command(IDM_DOWNLOAD);
  EXPECT_EQ(shownBoxes.at(0).Says() + shownBoxes.at(1).Says(), std::string(kDiffers) + kDiffers);
  EXPECT_EQ(std::ranges::count(shownDialogs, "Progress"), 4);  // download, read-back, both again
  // The download leaves its checksum pair in the image; nothing else changes.
  EXPECT_TRUE(std::equal(before.begin(), before.begin() + 254, ImageBytes().begin()));
  // Eleven items of the report's buzzer, scanner, prefix and suffix lines.
  Patch(settingsImage.bytes.data(), "4: 1E 5: 40 7: 01 8: 14 27: 61 31: 09 67: 20");
  Expect({ChoosePort(kCom6), Press(IDNO)});
  Command(IDM_DOWNLOAD);
  EXPECT_EQ(shownBoxes.at(2).text,
            "The scanner's settings read back differ from those downloaded in: Buzzer, Frequency, "
            "Scan Mode, Scanner Timeout, Negative Barcode, Reading Redundancy, Delay between "
            "Reread, Good-Read LED, Auto Sense, Prefix Settings and 1 more.\n\nDownload again?");
}

// A failed read-back leaves the image and opens no sheet; a refused download
// asks to retry, and Yes starts the whole transfer again.
TEST_F(ScannerLink, FailedReadBackLeavesTheImageAndRefusedDownloadRetriesOnYes) {
  replyDeadlines = {300, 300};  // the scanner's silence need not be waited out in full
  settingsImage.bytes[240] = 0x5A;
  const Bytes before = ImageBytes();
  Expect({ChoosePort(kCom3), Press(IDNO)});
  Command(IDM_READ_SETTINGS);  // an unexpected sheet would fail the test
  Expect({ChoosePort(kCom4), Press(IDOK)});
  Run([] { EXPECT_EQ(RunScannerLink(kReadBack), -1); });
  Expect({Press(IDCANCEL)});
  Run([] { EXPECT_EQ(RunScannerLink(kDownload), 0); });
  EXPECT_EQ(ImageBytes(), before);
  EXPECT_EQ(std::ranges::count(shownDialogs, "Progress"), 1);

  Expect({ChoosePort(kCom2), Press(IDYES), Press(IDNO)});
  Run([] { EXPECT_EQ(RunScannerLink(kDownload), 1); });
  EXPECT_EQ(std::ranges::count(shownDialogs, "Progress"), 3);  // a new one for the retry
  EXPECT_TRUE(ReadWholeFile(SimulatorPath("scanner2.qrs")).empty());
  EXPECT_EQ(shownBoxes.at(0).text, "Failed to read, would you like to retry?");
  EXPECT_EQ(shownBoxes.at(1).Says(), "Error: Can't open the COM port! (warning)");
  for (const ShownBox& box : {shownBoxes.at(2), shownBoxes.at(3)}) {
    EXPECT_EQ(box.Says(), "Error: Failed to download, would you like to retry? (question)");
    EXPECT_TRUE(box.yesNo);
  }
}

}  // namespace
