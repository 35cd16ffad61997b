// The "Test scanning" window: RS-232 read on a timer from the port of the
// COM Port Properties, keyboard-wedge keys caught by a capture box; each scan
// ends after the quiet time and becomes a row.
#include "shell/scan_test_window.h"

#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "keycodes/scan_text.h"
#include "link/connection.h"
#include "link/scan_capture.h"
#include "resources/resource_ids.h"
#include "settings/settings_image.h"
#include "shell/com_port_dialog.h"
#include "shell/commands.h"
#include "ui/dialog_items.h"

HWND scanTestWindow = nullptr;

namespace {

constexpr const char* kCaptureClass = "SkelvScanCapture";
constexpr UINT_PTR kReadTimer = 1;
constexpr UINT kReadEveryMs = 10;

enum Column { kNumberColumn, kTimeColumn, kLengthColumn, kTextColumn };
struct ColumnSpec {
  const char* title;
  int width;  // in dialog units
};
constexpr ColumnSpec kColumns[] = {{"No.", 22}, {"Time", 50}, {"Length", 30}, {"Text", 200}};

struct ScanRow {
  std::string time;
  size_t length = 0;
  std::string text;
  std::vector<uint8_t> bytes;  // as sent; the keys' codes as the image holds them
};

struct ScanTest {
  bool serial = false;  // the RS-232 mode, else the keyboard wedge
  Port port;
  ScanCapture capture;  // bytes from the port or the keys' codes
  std::string keysText;
  size_t keyCount = 0;
  std::string began;  // the time of the scan's first byte or key
  std::vector<ScanRow> rows;
};

ScanTest& StateOf(HWND window) {
  return *reinterpret_cast<ScanTest*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

std::string Now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[16];
  wsprintfA(text, "%02u:%02u:%02u.%03u", t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  return text;
}

uint32_t QuietMs(const ScanTest& test) {
  const uint32_t interChar = Get(settingsImage, field::interCharDelay);
  return ScanQuietMs(test.serial ? kBaudRates[portSettings.baudRate] : 0, interChar);
}

void SetCell(HWND list, int row, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string Shown(HWND window, const ScanRow& row) {
  return IsChecked(window, IDC_SCAN_HEX) ? ScanHex(row.bytes) : row.text;
}

void AddRow(HWND window, ScanRow row) {
  ScanTest& test = StateOf(window);
  HWND list = Item(window, IDC_SCAN_LIST);
  const int index = static_cast<int>(test.rows.size());
  const std::string number = std::to_string(index + 1);
  LVITEMA item{};
  item.mask = LVIF_TEXT;
  item.iItem = index;
  item.pszText = const_cast<char*>(number.c_str());
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  SetCell(list, index, kTimeColumn, row.time);
  SetCell(list, index, kLengthColumn, std::to_string(row.length));
  SetCell(list, index, kTextColumn, Shown(window, row));
  SendMessageA(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
  test.rows.push_back(std::move(row));
}

void ShowTexts(HWND window) {
  const ScanTest& test = StateOf(window);
  for (size_t i = 0; i < test.rows.size(); ++i)
    SetCell(Item(window, IDC_SCAN_LIST), static_cast<int>(i), kTextColumn,
            Shown(window, test.rows[i]));
}

// Ends the scan once the line or the keyboard has been quiet long enough.
void EndQuietScan(HWND window) {
  ScanTest& test = StateOf(window);
  std::vector<uint8_t> bytes;
  if (!TakeEndedScan(test.capture, TickCount(), QuietMs(test), bytes)) return;
  // Keys are counted and named as they come; bytes are named here.
  const bool keys = !test.serial;
  ScanRow row{test.began, keys ? test.keyCount : bytes.size(),
              keys ? std::move(test.keysText) : ScanText(bytes), std::move(bytes)};
  if (keys) {
    test.keysText.clear();
    test.keyCount = 0;
    InvalidateRect(Item(window, IDC_SCAN_CAPTURE), nullptr, TRUE);
  }
  AddRow(window, std::move(row));
}

void ReadPortInput(HWND window) {
  ScanTest& test = StateOf(window);
  uint8_t buffer[256];
  long got = 0;
  while (test.port.handle != -1 && (got = ReadPort(test.port, buffer, sizeof buffer)) > 0) {
    if (test.capture.bytes.empty()) test.began = Now();
    AddToScan(test.capture, buffer, static_cast<size_t>(got), TickCount());
  }
  if (got < 0) {
    ClosePort(test.port);
    SetItemText(window, IDC_SCAN_STATUS, "The COM port failed.");
  }
}

void ClosePortOf(HWND window) {
  ScanTest& test = StateOf(window);
  if (test.port.handle != -1) CloseScannerPort(test.port);
  test.capture = ScanCapture{};
}

void OpenPortOf(HWND window) {
  ScanTest& test = StateOf(window);
  ClosePortOf(window);
  const char* device = ComPortName(portSettings);
  const PortOpenResult opened = OpenScannerPort(test.port, device, portSettings);
  std::string status;
  if (const char* error = PortOpenError(opened)) {
    status = error;
    if (opened == PortOpenResult::CannotOpen)
      status += std::string(" ") + device + ": " + PortErrorText();
  } else {
    PurgePortInput(test.port);  // bytes from before would join the first scan
    status = std::string("Listening on ") + device + " at " +
             kBaudRateEntries[portSettings.baudRate] + " bps.";
  }
  SetItemText(window, IDC_SCAN_STATUS, status.c_str());
}

void SetMode(HWND window, bool serial) {
  ScanTest& test = StateOf(window);
  EndQuietScan(window);
  test.serial = serial;
  test.capture = ScanCapture{};
  test.keysText.clear();
  test.keyCount = 0;
  CheckRadioButton(window, IDC_SCAN_RS232, IDC_SCAN_WEDGE,
                   serial ? IDC_SCAN_RS232 : IDC_SCAN_WEDGE);
  ShowItem(window, IDC_SCAN_CAPTURE, !serial);
  if (serial) {
    OpenPortOf(window);
  } else {
    ClosePortOf(window);
    SetItemText(window, IDC_SCAN_STATUS, "Scan into the box below.");
    SetFocus(Item(window, IDC_SCAN_CAPTURE));
  }
}

void CopyRows(HWND window) {
  std::string text;
  for (size_t i = 0; i < StateOf(window).rows.size(); ++i) {
    const ScanRow& row = StateOf(window).rows[i];
    text += std::to_string(i + 1) + "\t" + row.time + "\t" + std::to_string(row.length) + "\t" +
            Shown(window, row) + "\r\n";
  }
  if (!OpenClipboard(window)) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

// The keyboard wedge: one key, by its code in the wedge table.
void AddKey(HWND window, ModifierSet modifiers, uint8_t code) {
  ScanTest& test = StateOf(window);
  if (test.serial) return;
  if (test.capture.bytes.empty()) test.began = Now();
  const uint8_t flagged[] = {static_cast<uint8_t>(kScanCodeMarker | modifiers), code};
  const size_t skip = modifiers ? 0 : 1;
  AddToScan(test.capture, flagged + skip, sizeof flagged - skip, TickCount());
  AppendScanWedgeKey(test.keysText, modifiers, code);
  ++test.keyCount;
  InvalidateRect(Item(window, IDC_SCAN_CAPTURE), nullptr, TRUE);
}

// Keys that type no character, by their codes in the wedge table.
struct NamedKey {
  WPARAM key;
  uint8_t code;
};
constexpr NamedKey kNamedKeys[] = {
    {VK_INSERT, 0x01}, {VK_DELETE, 0x02}, {VK_HOME, 0x03}, {VK_END, 0x04},    {VK_UP, 0x05},
    {VK_DOWN, 0x06},   {VK_LEFT, 0x07},   {VK_BACK, 0x08}, {VK_TAB, 0x09},    {VK_RIGHT, 0x0B},
    {VK_PRIOR, 0x0C},  {VK_RETURN, 0x0D}, {VK_NEXT, 0x0E}, {VK_ESCAPE, 0x1B},
};
constexpr uint8_t kF1Code = 0x0F;

bool Down(int key) {
  return GetKeyState(key) < 0;
}

ModifierSet HeldModifiers() {
  ModifierSet held = 0;
  if (Down(VK_SHIFT)) held |= kShift;
  if (Down(VK_LCONTROL)) held |= kLeftCtrl;
  if (Down(VK_LMENU)) held |= kLeftAlt;
  if (Down(VK_RCONTROL)) held |= kRightCtrl;
  if (Down(VK_RMENU)) held |= kRightAlt;
  return held;
}

// AltGr reads as Left Ctrl with Right Alt; it types characters.
bool CtrlOrAlt(ModifierSet held) {
  return (held & (kLeftCtrl | kLeftAlt | kRightCtrl | kRightAlt)) &&
         (held & (kLeftCtrl | kRightAlt)) != (kLeftCtrl | kRightAlt);
}

// A key down: the keys without a character, and combinations with Ctrl or
// Alt by the key's unshifted character. True when it was taken.
bool TakeKeyDown(HWND window, WPARAM key) {
  const ModifierSet held = HeldModifiers();
  int code = -1;
  for (const NamedKey& named : kNamedKeys)
    if (named.key == key) code = named.code;
  if (key >= VK_F1 && key <= VK_F12) code = static_cast<int>(kF1Code + key - VK_F1);
  if (code < 0 && CtrlOrAlt(held)) {
    // Letters map to their capitals: the pages write the key itself, [b].
    const UINT character = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_CHAR) & 0x7FFF;
    if (character > 0x20 && character < 0x7F)
      code = static_cast<int>(character >= 'A' && character <= 'Z' ? character + 0x20 : character);
  }
  if (code < 0) return false;
  AddKey(window, held, static_cast<uint8_t>(code));
  return true;
}

void PaintCapture(HWND box) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(box, &paint);
  RECT area;
  GetClientRect(box, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(GetParent(box), WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  const ScanTest& test = StateOf(GetParent(box));
  const bool focused = GetFocus() == box;
  const std::string text = !test.keysText.empty() ? test.keysText
                           : focused              ? "Ready: scan now."
                                                  : "Click here before scanning.";
  InflateRect(&area, -3, 0);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
  if (focused) DrawFocusRect(dc, &area);
  EndPaint(box, &paint);
}

LRESULT CALLBACK CaptureProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = GetParent(box);
  switch (message) {
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      if (TakeKeyDown(window, wParam)) return 0;
      break;
    case WM_SYSKEYDOWN:
      TakeKeyDown(window, wParam);
      return 0;
    case WM_SYSKEYUP:
      return 0;  // Alt let go would open the system menu, whose keys the scan would press
    case WM_CHAR:
      if (wParam >= 0x20 && wParam != 0x7F && !CtrlOrAlt(HeldModifiers()))
        AddKey(window, 0, static_cast<uint8_t>(wParam));
      return 0;
    case WM_SYSCHAR:
      return 0;  // no beep for a scanned Alt combination
    case WM_LBUTTONDOWN:
      SetFocus(box);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(box, nullptr, TRUE);
      return 0;
    case WM_PAINT:
      PaintCapture(box);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(box, message, wParam, lParam);
}

void AddColumns(HWND window) {
  HWND list = Item(window, IDC_SCAN_LIST);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    RECT units{0, 0, kColumns[i].width, 0};
    MapDialogRect(window, &units);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = units.right;
    column.pszText = const_cast<char*>(kColumns[i].title);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
}

INT_PTR CALLBACK ScanTestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(window, GWLP_USERDATA, lParam);
      scanTestWindow = window;
      EnablePortCommands(GetWindow(window, GW_OWNER), false);
      AddColumns(window);
      SetTimer(window, kReadTimer, kReadEveryMs, nullptr);
      SetMode(window, InterfaceModeFromImage(settingsImage) == InterfaceKind::Rs232);
      return FALSE;  // the focus is set
    case WM_TIMER:
      if (StateOf(window).serial) ReadPortInput(window);
      EndQuietScan(window);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_SCAN_RS232:
        case IDC_SCAN_WEDGE:
          if (StateOf(window).serial != (LOWORD(wParam) == IDC_SCAN_RS232))
            SetMode(window, LOWORD(wParam) == IDC_SCAN_RS232);
          return TRUE;
        case IDC_SCAN_PORT:
          // The port is given up while its settings change.
          ClosePortOf(window);
          RunComPortDialog(window);
          if (StateOf(window).serial) OpenPortOf(window);
          return TRUE;
        case IDC_SCAN_HEX:
          ShowTexts(window);
          return TRUE;
        case IDC_SCAN_CLEAR:
          StateOf(window).rows.clear();
          SendItem(window, IDC_SCAN_LIST, LVM_DELETEALLITEMS);
          return TRUE;
        case IDC_SCAN_COPY:
          CopyRows(window);
          return TRUE;
        case IDCANCEL:
          DestroyWindow(window);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_DESTROY:
      KillTimer(window, kReadTimer);
      ClosePortOf(window);
      EnablePortCommands(GetWindow(window, GW_OWNER), true);
      scanTestWindow = nullptr;
      return TRUE;
    case WM_NCDESTROY:
      delete reinterpret_cast<ScanTest*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

void OpenScanTestWindow(HWND owner) {
  if (scanTestWindow) {
    SetForegroundWindow(scanTestWindow);
    return;
  }
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA capture{};
  if (!GetClassInfoA(instance, kCaptureClass, &capture)) {
    capture.lpfnWndProc = CaptureProc;
    capture.hInstance = instance;
    capture.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    capture.lpszClassName = kCaptureClass;
    RegisterClassA(&capture);
  }
  InitCommonControls();
  auto* test = new ScanTest;
  HWND window = CreateDialogParamA(instance, kScanTestDialog, owner, ScanTestProc,
                                   reinterpret_cast<LPARAM>(test));
  if (window)
    ShowWindow(window, SW_SHOW);
  else
    delete test;
}

bool ScanTestMessage(MSG* message) {
  return scanTestWindow && IsDialogMessageA(scanTestWindow, message);
}
