// The "Reader Settings" sheet and its "Scanner" page, driven through the real controls.
#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "keycodes/key_code_string.h"
#include "report/settings_report.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "shell/document.h"
#include "shell/report_view.h"
#include "tests/gui/gui_driver.h"
#include "tests/test_support.h"

namespace {

constexpr int kApplyButton = 0x3021;

// The selected entry of a list, or "" when none is selected.
std::string Selection(HWND page, int list) {
  const LRESULT index = SendDlgItemMessageA(page, list, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return "";
  char text[64] = {};
  SendDlgItemMessageA(page, list, CB_GETLBTEXT, static_cast<WPARAM>(index),
                      reinterpret_cast<LPARAM>(text));
  return text;
}

std::vector<std::string> Entries(HWND page, int list) {
  std::vector<std::string> entries;
  const LRESULT count = SendDlgItemMessageA(page, list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[64] = {};
    SendDlgItemMessageA(page, list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                        reinterpret_cast<LPARAM>(text));
    entries.push_back(text);
  }
  return entries;
}

bool Checked(HWND page, int box) { return IsDlgButtonChecked(page, box) == BST_CHECKED; }

// A step on the "Reader Settings" sheet: `act` works on the "Scanner" page,
// then `button` closes the sheet.
DialogStep OnScannerPage(std::function<void(HWND page)> act, int button = PSBTN_OK) {
  return OnSheet(
      [act](HWND sheet) {
        EXPECT_EQ(WindowText(sheet), "Reader Settings");
        HWND page = CurrentPage(sheet);
        EXPECT_EQ(WindowText(page), "Scanner");
        act(page);
      },
      button);
}

class ReaderSheet : public GuiTest {
 protected:
  void Configure(std::function<void(HWND page)> act, int button = PSBTN_OK) {
    Expect({OnScannerPage(std::move(act), button)});
    Command(1120);
  }
  void Fill(uint8_t value) { settingsImage.bytes.fill(value); }
};

TEST_F(ReaderSheet, HoldsTheScannerPageWithOkAndCancelOnly) {
  std::string tabText;
  int tabs = 0;
  bool applyShown = true;
  bool okAndCancel = false;
  Expect({OnSheet([&](HWND sheet) {
    HWND tab = PropSheet_GetTabControl(sheet);
    tabs = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    char text[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    tabText = text;
    HWND apply = GetDlgItem(sheet, kApplyButton);
    applyShown = apply && IsWindowVisible(apply);
    okAndCancel = IsWindowVisible(GetDlgItem(sheet, IDOK)) &&
                  IsWindowVisible(GetDlgItem(sheet, IDCANCEL));
  }, PSBTN_CANCEL)});
  Command(1120);
  EXPECT_EQ(tabs, 1);
  EXPECT_EQ(tabText, "Scanner");
  EXPECT_FALSE(applyShown);
  EXPECT_TRUE(okAndCancel);
}

TEST_F(ReaderSheet, ScannerPageFillsItsListsAndDisablesTheUnboundControls) {
  Configure([](HWND page) {
    EXPECT_EQ(Entries(page, IDC_SCAN_MODE),
              (std::vector<std::string>{"Auto Off", "Continuous", "Auto Power Off", "Alternate",
                                        "Momentary", "Repeat", "Laser", "Testing"}));
    EXPECT_EQ(Entries(page, IDC_READ_REDUNDANCY),
              (std::vector<std::string>{"None", "One time", "Two times", "Three times"}));
    EXPECT_EQ(Entries(page, IDC_REREAD_DELAY),
              (std::vector<std::string>{"0.1 sec", "0.2 sec", "0.4 sec", "0.8 sec", "1 sec",
                                        "2 sec", "3 sec", "5 sec"}));
    EXPECT_EQ(Entries(page, IDC_BUZZER_FREQUENCY),
              (std::vector<std::string>{"8 KHz", "4 KHz", "2 KHz", "1 KHz"}));
    int low = -1;
    int high = -1;
    SendDlgItemMessageA(page, IDC_SCAN_TIMEOUT_SPIN, UDM_GETRANGE32,
                        reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 255);
    EXPECT_EQ(reinterpret_cast<HWND>(SendDlgItemMessageA(page, IDC_SCAN_TIMEOUT_SPIN, UDM_GETBUDDY, 0, 0)),
              GetDlgItem(page, IDC_SCAN_TIMEOUT));
    for (const int control : {IDC_TRANSMIT_BUFFER, IDC_TRANSMISSION_DELAY_LABEL,
                              IDC_TRANSMISSION_DELAY, IDC_MEMORY_SCANNER, IDC_DATA_DELAY_LABEL,
                              IDC_DATA_DELAY})
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, control))) << control;
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_TRANSMISSION_DELAY, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_DATA_DELAY, CB_GETCOUNT, 0, 0), 0);
    // The factory values.
    EXPECT_EQ(Selection(page, IDC_SCAN_MODE), "Auto Off");
    EXPECT_EQ(Selection(page, IDC_READ_REDUNDANCY), "None");
    EXPECT_EQ(Selection(page, IDC_REREAD_DELAY), "0.4 sec");
    EXPECT_EQ(Selection(page, IDC_BUZZER_FREQUENCY), "4 KHz");
    EXPECT_EQ(DialogItemText(page, IDC_SCAN_TIMEOUT), "10");
  });
}

TEST_F(ReaderSheet, CancelLeavesEveryByteAndStillRebuildsTheReport) {
  for (int i = 0; i < kImageSize; ++i) settingsImage.bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  const SettingsImage before = settingsImage;
  SetWindowTextA(reportEdit, "typed by the operator");
  Configure(
      [](HWND page) {
        SelectEntry(page, IDC_SCAN_MODE, 6);
        SelectEntry(page, IDC_REREAD_DELAY, 0);
        for (const int box : {IDC_NEGATIVE_BARCODE, IDC_GOOD_READ_LED, IDC_BUZZER_OFF,
                              IDC_AUTO_SENSE})
          Click(page, box);
        TypeText(page, IDC_SCAN_TIMEOUT, "200");
      },
      PSBTN_CANCEL);
  EXPECT_EQ(settingsImage.bytes, before.bytes);
  EXPECT_EQ(settingsModified, 0);
  EXPECT_EQ(ReportViewText(), ReportText(before, InterfaceMode));
  EXPECT_EQ(ReportViewFace(), "Courier");
  EXPECT_EQ(SendMessageA(reportEdit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(ReaderSheet, OkAtOnceWritesEveryValueBackUnchanged) {
  for (int i = 0; i < kImageSize; ++i) settingsImage.bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  const SettingsImage before = settingsImage;
  Configure([](HWND) {});
  EXPECT_EQ(settingsImage.bytes, before.bytes);
  EXPECT_EQ(settingsModified, 0);
}

TEST_F(ReaderSheet, OkWritesOnlyTheScannerPageBits) {
  Fill(0xAA);
  Configure([](HWND page) {
    EXPECT_EQ(Selection(page, IDC_SCAN_MODE), "");  // 10 has no entry
    EXPECT_EQ(Selection(page, IDC_READ_REDUNDANCY), "Two times");
    EXPECT_EQ(Selection(page, IDC_REREAD_DELAY), "0.4 sec");
    EXPECT_EQ(Selection(page, IDC_BUZZER_FREQUENCY), "2 KHz");
    EXPECT_EQ(DialogItemText(page, IDC_SCAN_TIMEOUT), "170");
    EXPECT_TRUE(Checked(page, IDC_NEGATIVE_BARCODE));
    EXPECT_TRUE(Checked(page, IDC_GOOD_READ_LED));
    EXPECT_FALSE(Checked(page, IDC_BUZZER_OFF));
    EXPECT_FALSE(Checked(page, IDC_AUTO_SENSE));
    SelectEntry(page, IDC_SCAN_MODE, 4);         // "Momentary"
    SelectEntry(page, IDC_READ_REDUNDANCY, 1);   // "One time"
    SelectEntry(page, IDC_REREAD_DELAY, 2);      // "0.4 sec"
    SelectEntry(page, IDC_BUZZER_FREQUENCY, 1);  // "4 KHz"
    TypeText(page, IDC_SCAN_TIMEOUT, "200");
    for (const int box : {IDC_NEGATIVE_BARCODE, IDC_GOOD_READ_LED, IDC_BUZZER_OFF,
                          IDC_AUTO_SENSE})
      Click(page, box);
  });
  SettingsImage expected;
  expected.bytes.fill(0xAA);
  expected.bytes[4] = 0x45;   // Momentary, buzzer off, 4 KHz, positive bar codes
  expected.bytes[5] = 0xEA;   // 0.4 sec, auto sense, bits 3, 4, 5 and 7 as they were
  expected.bytes[7] = 0xA9;   // one time, bits 2 to 7 as they were
  expected.bytes[8] = 200;
  expected.bytes[67] = 0x8A;  // good read LED off, the other bits as they were
  EXPECT_EQ(settingsImage.bytes, expected.bytes);
  EXPECT_EQ(settingsModified, 1);
  EXPECT_EQ(ReportViewText(), ReportText(expected, InterfaceMode));
}

TEST_F(ReaderSheet, ByteFour5BOpensAsRepeatOneKilohertzNegativeWithBuzzer) {
  settingsImage.bytes[4] = 0x5B;
  Configure([](HWND page) {
    EXPECT_EQ(Selection(page, IDC_SCAN_MODE), "Repeat");
    EXPECT_EQ(Selection(page, IDC_BUZZER_FREQUENCY), "1 KHz");
    EXPECT_TRUE(Checked(page, IDC_NEGATIVE_BARCODE));
    EXPECT_FALSE(Checked(page, IDC_BUZZER_OFF));
  });
  EXPECT_EQ(settingsImage.bytes[4], 0x5B);
}

TEST_F(ReaderSheet, UncheckingDisableBuzzerClearsOnlyThatBit) {
  settingsImage.bytes[4] = 0x5F;
  const SettingsImage before = settingsImage;
  Configure([](HWND page) {
    EXPECT_TRUE(Checked(page, IDC_BUZZER_OFF));
    Click(page, IDC_BUZZER_OFF);
    EXPECT_FALSE(Checked(page, IDC_BUZZER_OFF));
  });
  SettingsImage expected = before;
  expected.bytes[4] = 0x5B;
  EXPECT_EQ(settingsImage.bytes, expected.bytes);
}

TEST_F(ReaderSheet, ScanModeWithoutAnEntryIsKeptWhenLeftUnselected) {
  settingsImage.bytes[4] = 0x9B;
  Configure([](HWND page) {
    EXPECT_EQ(SendDlgItemMessageA(page, IDC_SCAN_MODE, CB_GETCURSEL, 0, 0), CB_ERR);
  });
  EXPECT_EQ(settingsImage.bytes[4], 0x9B);
}

TEST_F(ReaderSheet, TimeOutKeepsToUnsignedNumbers) {
  std::string afterLetters;
  std::string afterDigitsAndLetter;
  Configure([&](HWND page) {
    TypeText(page, IDC_SCAN_TIMEOUT, "abc");
    afterLetters = DialogItemText(page, IDC_SCAN_TIMEOUT);
    TypeText(page, IDC_SCAN_TIMEOUT, "12a");
    afterDigitsAndLetter = DialogItemText(page, IDC_SCAN_TIMEOUT);
    TypeText(page, IDC_SCAN_TIMEOUT, "");
    EXPECT_EQ(DialogItemText(page, IDC_SCAN_TIMEOUT), "");
  });
  EXPECT_EQ(afterLetters, "0");
  EXPECT_EQ(afterDigitsAndLetter, "0");
  EXPECT_EQ(settingsImage.bytes[8], 0);  // the empty edit

  // Pasted whole, as leading spaces could not be typed one by one.
  const struct {
    const char* pasted;
    uint8_t stored;
  } cases[] = {{"300", 255}, {"99999999999", 255}, {"  42", 42}, {"255", 255}};
  for (const auto& each : cases) {
    std::string shown;
    Configure([&](HWND page) {
      SetDlgItemTextA(page, IDC_SCAN_TIMEOUT, each.pasted);
      shown = DialogItemText(page, IDC_SCAN_TIMEOUT);
    });
    EXPECT_EQ(shown, each.pasted);
    EXPECT_EQ(settingsImage.bytes[8], each.stored) << each.pasted;
  }
}

TEST_F(ReaderSheet, ClosingDerivesTheInterfaceModeFromByteZero) {
  settingsImage.bytes[0] = 250;
  Configure([](HWND) {}, PSBTN_CANCEL);
  EXPECT_EQ(InterfaceMode, InterfaceKind::WandEmulation);
  EXPECT_EQ(ReportViewText(), ReportText(settingsImage, InterfaceKind::WandEmulation));
  settingsImage.bytes[0] = 0;
  Configure([](HWND) {});
  EXPECT_EQ(InterfaceMode, InterfaceKind::Rs232);
}

TEST_F(ReaderSheet, PagesStartFromTheImageEachTime) {
  Configure([](HWND page) { SelectEntry(page, IDC_SCAN_MODE, 6); }, PSBTN_CANCEL);
  Configure([](HWND page) { EXPECT_EQ(Selection(page, IDC_SCAN_MODE), "Auto Off"); },
            PSBTN_CANCEL);
}

TEST_F(ReaderSheet, AChangedScanModeRoundTripsThroughAFile) {
  Configure([](HWND page) { SelectEntry(page, IDC_SCAN_MODE, 6); });  // "Laser"
  EXPECT_EQ(settingsModified, 1);
  EXPECT_EQ(ReportViewText(), ReportText(settingsImage, InterfaceMode));
  const SettingsImage saved = settingsImage;
  const std::string path = scratch + "laser.qrs";
  saveAnswers.push_back(path);
  Command(1040);
  EXPECT_EQ(settingsModified, 0);

  Expect({OnScannerPage([](HWND) {}, PSBTN_CANCEL)});
  Command(1010);
  EXPECT_EQ(settingsImage.bytes, FactoryImage().bytes);

  openAnswers.push_back(path);
  Expect({OnScannerPage([](HWND page) { EXPECT_EQ(Selection(page, IDC_SCAN_MODE), "Laser"); },
                        PSBTN_CANCEL)});
  Command(1020);
  EXPECT_EQ(settingsImage.bytes, saved.bytes);
  EXPECT_EQ(ReportViewText(), ReportText(saved, InterfaceMode));
}

}  // namespace
