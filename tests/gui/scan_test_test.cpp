// "Test scanning..." end to end under Wine: scans typed into the simulator
// behind COM1 arrive as rows, keys sent to the window as keyboard-wedge
// scans; the port is the window's while it is open and free once it closes.
#include "shell/scan_test_window.h"

#include <regex>
#include <string>

#include "link/port_settings.h"
#include "resources/resource_ids.h"
#include "settings/settings_image.h"
#include "tests/gui/gui_driver.h"

namespace {

constexpr int kCom1 = 0, kCom4 = 3;  // COM4 has no device

// Serves the windows, as the program's message loop does, until `done` (at
// most 10 s, to catch a hang).
bool ServeUntil(const std::function<bool()>& done) {
  for (const DWORD start = GetTickCount(); !done();) {
    if (GetTickCount() - start > 10000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (ScanTestMessage(&message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return true;
}

int RowCount(HWND test) {
  return static_cast<int>(SendDlgItemMessageA(test, IDC_SCAN_LIST, LVM_GETITEMCOUNT, 0, 0));
}

// A row as "number|length|text".
std::string Row(HWND test, int row) {
  std::string joined;
  for (const int column : {0, 2, 3}) {
    char text[1024] = "";
    ListView_GetItemText(GetDlgItem(test, IDC_SCAN_LIST), row, column, text, sizeof text);
    joined += (column ? "|" : "") + std::string(text);
  }
  return joined;
}

std::string Clipboard() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool Grayed(HWND window, int command) {
  return GetMenuState(GetMenu(window), command, MF_BYCOMMAND) & MF_GRAYED;
}

// Keys pressed (down, then up in reverse order) as the keyboard sends them.
void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs(2 * keys.size());
  for (size_t i = 0; i < inputs.size(); ++i) {
    const bool up = i >= keys.size();
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = keys.begin()[up ? inputs.size() - 1 - i : i];
    inputs[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(inputs[i].ki.wVk, MAPVK_VK_TO_VSC));
    inputs[i].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

using ScanTest = GuiTest;

// COM4 cannot open; Port puts the window on COM1. Keys sent to the window
// show by the wedge names; back on RS-232, scans typed into COM1's simulator
// arrive as rows. Hex shows the bytes, Copy the rows, Clear empties the list.
TEST_F(ScanTest, KeysAndScansFromComOneAreRowsThatShowAsHexAndCopy) {
  settingsImage.bytes[0] = 0x00;  // RS-232
  portSettings.comPort = kCom4;
  HWND test = nullptr;
  // The window stays open: the command returns at once, its step runs later.
  Expect({[&test](HWND shown) { test = shown; }});
  SendMessageA(window, WM_COMMAND, IDM_TEST_SCANNING, 0);
  ASSERT_TRUE(ServeUntil([&test] { return test != nullptr; }));
  EXPECT_EQ(WindowText(test), "Test scanning");
  EXPECT_EQ(ItemTexts(test, {IDC_SCAN_RS232, IDC_SCAN_WEDGE}), "on|off");
  EXPECT_EQ(ItemText(test, IDC_SCAN_STATUS).rfind("Can't open the COM port! COM4: ", 0), 0u);
  EXPECT_TRUE(Grayed(window, IDM_READ_SETTINGS) && Grayed(window, IDM_DOWNLOAD));
  Command(IDM_DOWNLOAD);  // not available: a port dialog would fail the test
  Expect({ChoosePort(kCom1)});
  Click(test, IDC_SCAN_PORT);
  EXPECT_EQ(ItemText(test, IDC_SCAN_STATUS), "Listening on COM1 at 38400 bps.");

  CheckRadioButton(test, IDC_SCAN_RS232, IDC_SCAN_WEDGE, IDC_SCAN_WEDGE);
  Click(test, IDC_SCAN_WEDGE);
  EXPECT_EQ(GetFocus(), GetDlgItem(test, IDC_SCAN_CAPTURE));
  for (const WORD key : {WORD{'0'}, WORD{'1'}, WORD{'2'}, WORD{'3'}, WORD{VK_RETURN}})
    PressKeys({key});
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 1; }));
  PressKeys({VK_LSHIFT, 'A'});
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 2; }));
  PressKeys({VK_LCONTROL, 'B'});
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 3; }));
  EXPECT_EQ(Row(test, 0), "1|5|0123[Enter]");
  EXPECT_EQ(Row(test, 1), "2|1|A");
  EXPECT_EQ(Row(test, 2), "3|1|[LeftCtrl][b]");
  SetCheck(test, IDC_SCAN_HEX, true);
  Click(test, IDC_SCAN_HEX);
  EXPECT_EQ(Row(test, 2), "3|1|C2 62");
  Click(test, IDC_SCAN_CLEAR);
  EXPECT_EQ(RowCount(test), 0);

  CheckRadioButton(test, IDC_SCAN_RS232, IDC_SCAN_WEDGE, IDC_SCAN_RS232);
  Click(test, IDC_SCAN_RS232);
  const std::string scans = "12345[CR][LF]\n[STX]ABC[ETX]\n" + std::string(200, '7') + "\n";
  WriteWholeFile(SimulatorPath("scans1"), {scans.begin(), scans.end()});  // typed into COM1
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 3; }));
  EXPECT_EQ(Row(test, 0), "1|7|31 32 33 34 35 0D 0A");
  SetCheck(test, IDC_SCAN_HEX, false);
  Click(test, IDC_SCAN_HEX);
  EXPECT_EQ(Row(test, 0), "1|7|12345[CR][LF]");
  EXPECT_EQ(Row(test, 1), "2|5|[STX]ABC[ETX]");
  EXPECT_EQ(Row(test, 2), "3|200|" + std::string(200, '7'));
  Click(test, IDC_SCAN_COPY);
  const std::regex time(R"(\t\d\d:\d\d:\d\d\.\d{3}\t)");
  EXPECT_EQ(std::regex_replace(Clipboard(), time, "|"),
            "1|7\t12345[CR][LF]\r\n2|5\t[STX]ABC[ETX]\r\n3|200\t" + std::string(200, '7') + "\r\n");

  // Closed, the window gives the port back: a download right after succeeds.
  Click(test, IDCANCEL);
  EXPECT_FALSE(IsWindow(test));
  EXPECT_FALSE(Grayed(window, IDM_READ_SETTINGS) || Grayed(window, IDM_DOWNLOAD));
  Expect({ChoosePort(kCom1), Press(IDOK)});
  Command(IDM_DOWNLOAD);
  ASSERT_EQ(shownBoxes.size(), 1u);
  EXPECT_EQ(shownBoxes[0].Says(), "Download: Downloaded completely! (warning)");
}

}  // namespace
