// The "Reader Settings" sheet and its "Scanner" page, opened by Configure.
#include "keycodes/key_code_string.h"
#include "report/settings_report.h"
#include "resources/resource_ids.h"
#include "shell/document.h"
#include "shell/report_view.h"
#include "tests/gui/gui_driver.h"

#include <richedit.h>

namespace {

using Bytes = std::vector<uint8_t>;

// Gives the report view's whole text the face `face`; without one, tells the
// face of the whole text, "" where its parts differ.
std::string ReportFace(const char* face = nullptr) {
  CHARFORMATA format{sizeof format, CFM_FACE, 0, 0, 0, 0, 0, 0, {}};
  if (face) lstrcpynA(format.szFaceName, face, LF_FACESIZE);
  SendMessageA(reportEdit, EM_SETSEL, 0, -1);
  SendMessageA(reportEdit, face ? EM_SETCHARFORMAT : EM_GETCHARFORMAT, SCF_SELECTION,
               reinterpret_cast<LPARAM>(&format));
  return format.dwMask & CFM_FACE ? format.szFaceName : "";
}

class ReaderSheet : public GuiTest {
 protected:
  // Configure: `act` works on the page of tab `tab`, then `button` closes the sheet.
  void Configure(const char* tab, std::function<void(HWND page)> act, int button = PSBTN_OK) {
    Expect({OnSheet(
        [act, tab](HWND sheet) {
          EXPECT_EQ(WindowText(sheet), "Reader Settings");
          EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, 0x3021)));  // no Apply button
          for (int i = 0; WindowText(PropSheet_GetCurrentPageHwnd(sheet)) != tab; ++i)
            ASSERT_TRUE(PropSheet_SetCurSel(sheet, nullptr, i)) << tab;
          act(PropSheet_GetCurrentPageHwnd(sheet));
        },
        button)});
    Command(IDM_CONFIGURE);
  }
};

TEST_F(ReaderSheet, OkWritesTheScannerPageBitsOnly) {
  settingsImage.bytes.fill(0xAA);
  Configure("Scanner", [](HWND page) {
    // A scan mode of 10 has no entry.
    EXPECT_EQ(ItemTexts(page, {IDC_SCAN_MODE, IDC_READ_REDUNDANCY, IDC_BUZZER_FREQUENCY,
                               IDC_SCAN_TIMEOUT, IDC_NEGATIVE_BARCODE, IDC_AUTO_SENSE}),
              "|Two times|2 KHz|170|on|off");
    SelectEntry(page, IDC_SCAN_MODE, 4);         // "Momentary"
    SelectEntry(page, IDC_READ_REDUNDANCY, 1);   // "One time"
    SelectEntry(page, IDC_REREAD_DELAY, 5);      // "2 sec"
    SelectEntry(page, IDC_BUZZER_FREQUENCY, 1);  // "4 KHz"
  });
  // Byte 4: Momentary, 4 KHz, bits 2 and 3 as they were; 5: 2 sec, bits 3 to 7
  // as they were; 7: one time, bits 2 to 7 as they were.
  SettingsImage expected;
  expected.bytes.fill(0xAA);
  Patch(expected.bytes.data(), "4: 49 AD 7: A9");
  EXPECT_EQ(settingsImage.bytes, expected.bytes);
  EXPECT_EQ(settingsModified, 1);
  EXPECT_EQ(WindowText(reportEdit), ReportText(expected, InterfaceMode));
}

TEST_F(ReaderSheet, CancelWritesNothingButRebuildsTheReport) {
  Patch(settingsImage.bytes.data(), "0: FA 4: 5B");
  const SettingsImage before = settingsImage;
  // Typed or pasted by the operator in another font; the view scrolled down.
  SetWindowTextA(reportEdit, (std::string(99, '\n') + "typed by the operator").c_str());
  ReportFace("Arial");
  SendMessageA(reportEdit, WM_VSCROLL, SB_BOTTOM, 0);
  ASSERT_EQ(ReportFace(), "Arial");
  Configure(
      "Scanner",
      [](HWND page) {
        EXPECT_EQ(ItemTexts(page, {IDC_SCAN_MODE, IDC_BUZZER_FREQUENCY, IDC_NEGATIVE_BARCODE,
                                   IDC_BUZZER_OFF}),
                  "Repeat|1 KHz|on|off");
        SelectEntry(page, IDC_SCAN_MODE, 6);
        Click(page, IDC_BUZZER_OFF);
      },
      PSBTN_CANCEL);
  EXPECT_EQ(settingsImage.bytes, before.bytes);
  EXPECT_EQ(settingsModified, 0);
  // Closing derives the key mode from byte 0: 250 is wand emulation.
  EXPECT_EQ(InterfaceMode, InterfaceKind::WandEmulation);
  EXPECT_EQ(WindowText(reportEdit), ReportText(before, InterfaceKind::WandEmulation));
  EXPECT_EQ(SendMessageA(reportEdit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(ReportFace(), "Courier");
  Configure("Scanner", [](HWND page) { EXPECT_EQ(ItemText(page, IDC_SCAN_MODE), "Repeat"); });
}

TEST_F(ReaderSheet, TimeOutKeepsToUnsignedNumbers) {
  Configure("Scanner", [](HWND page) {
    for (const char* typed : {"abc", "12a"}) {
      TypeText(page, IDC_SCAN_TIMEOUT, typed);
      EXPECT_EQ(ItemText(page, IDC_SCAN_TIMEOUT), "0") << typed;
    }
    TypeText(page, IDC_SCAN_TIMEOUT, "");
  });
  EXPECT_EQ(settingsImage.bytes[8], 0);
  // Pasted whole, as leading spaces could not be typed one by one.
  for (const char* pasted : {"300", "99999999999", "  42"}) {
    Configure("Scanner", [pasted](HWND page) { SetDlgItemTextA(page, IDC_SCAN_TIMEOUT, pasted); });
    EXPECT_EQ(settingsImage.bytes[8], pasted[0] == ' ' ? 42 : 255) << pasted;
  }
}

TEST_F(ReaderSheet, InterfacePageShowsTheGroupOfByteZeroAndStoresIt) {
  settingsImage.bytes[0] = 0;
  Configure("Interface", [](HWND page) {
    EXPECT_EQ(ItemTexts(page, {IDC_SCANNER_INTERFACE, IDC_KEYBOARD_TYPE}), "RS-232|PCAT (US)");
    EXPECT_TRUE(Shown(page, IDC_HOST_BAUD_RATE) && Shown(page, IDC_INTER_CHAR_DELAY));
    EXPECT_FALSE(Shown(page, IDC_KEYBOARD_TYPE) || Shown(page, IDC_MARGIN_TIME));
    SelectEntry(page, IDC_SCANNER_INTERFACE, 0);
    EXPECT_TRUE(Shown(page, IDC_KEYBOARD_TYPE) && Shown(page, IDC_LAPTOP_SUPPORT));
    EXPECT_EQ(InterfaceMode, InterfaceKind::KeyboardWedge);
  });
  EXPECT_EQ(settingsImage.bytes[0], 1);
  EXPECT_NE(WindowText(reportEdit).find("Keyboard Wedge"), std::string::npos);

  // Keyboard type k is stored as k + 1: the first above, the last here.
  Configure("Interface", [](HWND page) { SelectEntry(page, IDC_KEYBOARD_TYPE, 27); });
  EXPECT_EQ(settingsImage.bytes[0], 28);
  Configure("Interface", [](HWND page) {
    SelectEntry(page, IDC_SCANNER_INTERFACE, 2);
    EXPECT_TRUE(Shown(page, IDC_PDF417_BLOCK_DELAY) && Shown(page, IDC_MARGIN_TIME));
    EXPECT_FALSE(Enabled(page, IDC_PDF417_BLOCK_DELAY));
    EXPECT_FALSE(Shown(page, IDC_INTER_CHAR_DELAY));
  });
  EXPECT_EQ(settingsImage.bytes[0], 250);

  Patch(settingsImage.bytes.data(), "0: 1C 5B");
  Configure("Interface", [](HWND page) {
    EXPECT_EQ(ItemText(page, IDC_KEYBOARD_TYPE), "IBM 34XX//319X, Memorex Telex 122 Keys");
    SelectEntry(page, IDC_SCANNER_INTERFACE, 1);
  });
  // Capital lock type 1 is stored back as 2.
  EXPECT_EQ(Bytes({settingsImage.bytes[0], settingsImage.bytes[1]}), (Bytes{0, 0x5D}));
}

TEST_F(ReaderSheet, InterfaceListsAreWrittenWhicheverGroupIsShown) {
  Patch(settingsImage.bytes.data(), "0: 00 67: 03");  // "Dual Port, Male End"
  Configure("Interface", [](HWND page) {
    EXPECT_FALSE(Enabled(page, IDC_HOST_FLOW_CONTROL));
    SelectEntry(page, IDC_TRANSMISSION_MODE, 0);
    SelectEntry(page, IDC_SCANNER_INTERFACE, 0);
    SelectEntry(page, IDC_SCANNER_INTERFACE, 1);
    EXPECT_TRUE(Enabled(page, IDC_HOST_FLOW_CONTROL));
    SelectEntry(page, IDC_HOST_BAUD_RATE, 5);  // "1200 bps"
    SelectEntry(page, IDC_SCANNER_INTERFACE, 0);
    SelectEntry(page, IDC_DIGITS_LAYOUT, 2);  // "Upper Row"
  });
  const auto& b = settingsImage.bytes;
  EXPECT_EQ(Bytes({b[0], b[1], b[3], b[67]}), (Bytes{1, 0x18, 0x25, 0}));

  settingsImage.bytes[0] = 100;  // keyboard wedge with no keyboard type
  Configure("Interface", [](HWND page) { EXPECT_EQ(ItemText(page, IDC_KEYBOARD_TYPE), ""); });
  EXPECT_EQ(settingsImage.bytes[0], 100);
}

TEST_F(ReaderSheet, CodeLengthPageShowsBytesTwelveAndThirteen) {
  Patch(settingsImage.bytes.data(), "12: 81 40");
  Configure("Code Length", [](HWND page) {
    for (int id = IDC_CODE_LENGTH_FIRST; id <= IDC_CODE_LENGTH_PDF417; ++id)
      EXPECT_EQ(IsChecked(page, id), id == 101 || id == 108 || id == 115) << id;
  });
}

}  // namespace
