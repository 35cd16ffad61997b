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

// The rows as Copy puts them but for the time: "number|length|text", then CR LF.
std::string Rows(HWND test) {
  std::string joined;
  for (int row = 0; row < RowCount(test); ++row)
    for (const int column : {0, 2, 3}) {
      char text[1024] = "";
      ListView_GetItemText(GetDlgItem(test, IDC_SCAN_LIST), row, column, text, sizeof text);
      joined += text + std::string(column == 3 ? "\r\n" : "|");
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
void PressKeys(std::initializer_list<BYTE> keys) {
  const auto send = [](BYTE key, DWORD up) {
    keybd_event(key, static_cast<BYTE>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)), up, 0);
  };
  for (const BYTE key : keys) send(key, 0);
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) send(*key, KEYEVENTF_KEYUP);
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

  SendDlgItemMessageA(test, IDC_SCAN_WEDGE, BM_CLICK, 0, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(test, IDC_SCAN_CAPTURE));
  for (const BYTE key : std::initializer_list<BYTE>{'0', '1', '2', '3', VK_RETURN})
    PressKeys({key});
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 1; }));
  PressKeys({VK_LSHIFT, 'A'});
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 2; }));
  PressKeys({VK_LCONTROL, 'B'});
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 3; }));
  EXPECT_EQ(Rows(test), "1|5|0123[Enter]\r\n2|1|A\r\n3|1|[LeftCtrl][b]\r\n");
  SendDlgItemMessageA(test, IDC_SCAN_HEX, BM_CLICK, 0, 0);
  EXPECT_TRUE(Rows(test).ends_with("\r\n3|1|C2 62\r\n")) << Rows(test);
  Click(test, IDC_SCAN_CLEAR);
  EXPECT_EQ(RowCount(test), 0);

  SendDlgItemMessageA(test, IDC_SCAN_RS232, BM_CLICK, 0, 0);
  std::string rows = "12345[CR][LF]\n[STX]ABC[ETX]\n" + std::string(200, '7') + "\n";
  WriteWholeFile(SimulatorPath("scans1"), {rows.begin(), rows.end()});  // typed into COM1
  EXPECT_TRUE(ServeUntil([test] { return RowCount(test) == 3; }));
  EXPECT_TRUE(Rows(test).starts_with("1|7|31 32 33 34 35 0D 0A\r\n")) << Rows(test);
  SendDlgItemMessageA(test, IDC_SCAN_HEX, BM_CLICK, 0, 0);
  rows = "1|7|12345[CR][LF]\r\n2|5|[STX]ABC[ETX]\r\n3|200|" + std::string(200, '7') + "\r\n";
  EXPECT_EQ(Rows(test), rows);
  Click(test, IDC_SCAN_COPY);
  const std::regex time(R"(\t\d\d:\d\d:\d\d\.\d{3}\t(\d+)\t)");
  EXPECT_EQ(std::regex_replace(Clipboard(), time, "|$1|"), rows);

  // Closed, the window gives the port back: a download right after succeeds.
  Click(test, IDCANCEL);
  EXPECT_FALSE(IsWindow(test));
  EXPECT_FALSE(Grayed(window, IDM_READ_SETTINGS) || Grayed(window, IDM_DOWNLOAD));
  Expect({ChoosePort(kCom1), Press(IDOK)});
  Command(IDM_DOWNLOAD);
  EXPECT_EQ(shownBoxes.at(0).Says(), "Download: Downloaded completely! (warning)");
}

}  // namespace
