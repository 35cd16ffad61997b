// The key grid editor: the grid of key names, its painting and clicks, the
// modifier and scan-code controls, and the resulting text.
#include "ui/key_grid_editor.h"

#include <algorithm>
#include <array>
#include <string>

#include "keycodes/key_code_string.h"
#include "keycodes/key_names.h"
#include "resources/resource_ids.h"
#include "ui/dialog_items.h"

namespace {

constexpr int kRows = 16;
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kCellLines = RGB(196, 196, 196);
constexpr COLORREF kLightGrey = RGB(192, 192, 192);

// The table a mode shows, column c holding codes 16 c to 16 c + 15.
struct GridMode {
  const char* const* names;
  int columns;
};
constexpr GridMode kAsciiGrid{AsciiKeyNames, kAsciiKeyCount / kRows};
constexpr GridMode kWedgeGrid{WedgeKeyNames, kWedgeKeyCount / kRows};
constexpr GridMode kScanCodeGrid{ScanCodeNames, kScanCodeCount / kRows};

// The result shown is the rendering of `working`, which OK stores.
struct GridEditor {
  std::span<uint8_t> keys;  // the caller's working copy
  std::array<uint8_t, 4> working{};
  int position = 0;  // bytes of `working` in use
  bool wedge = false;
  bool scanCode = false;
  ModifierSet modifiers = 0;
  int column = 0;  // the selected cell
  int row = 0;
  GridMode mode = kAsciiGrid;
  WNDPROC gridProc = nullptr;
  WNDPROC resultProc = nullptr;
};

GridEditor& EditorOf(HWND dialog) {
  return *reinterpret_cast<GridEditor*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void ConfigureMode(HWND dialog, GridEditor& e) {
  e.mode = !e.wedge ? kAsciiGrid : e.scanCode ? kScanCodeGrid : kWedgeGrid;
  for (const int id : {IDC_SCAN_CODE, IDC_NORMAL_KEY, IDC_KEY_STATUS})
    ShowItem(dialog, id, e.wedge);
  CheckRadioButton(dialog, IDC_SCAN_CODE, IDC_NORMAL_KEY,
                   e.scanCode ? IDC_SCAN_CODE : IDC_NORMAL_KEY);
  EnableItem(dialog, IDC_KEY_STATUS, !e.scanCode);
  for (int k = 0; k < kModifierCount; ++k) {
    ShowItem(dialog, IDC_ADD_SHIFT + k, e.wedge);
    EnableItem(dialog, IDC_ADD_SHIFT + k, !e.scanCode);
    SetCheck(dialog, IDC_ADD_SHIFT + k, (e.modifiers >> k) & 1);
  }
}

struct CellSize {
  int width;
  int height;
};
CellSize CellSizeOf(HWND grid, const GridEditor& e) {
  RECT client;
  GetClientRect(grid, &client);
  return {client.right / (e.mode.columns + 1), client.bottom / (kRows + 1)};
}

void Line(HDC dc, COLORREF color, int x1, int y1, int x2, int y2) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  DeleteObject(SelectObject(dc, old));
}

void Fill(HDC dc, RECT rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

void Text(HDC dc, RECT rect, const char* text, COLORREF color) {
  SetTextColor(dc, color);
  DrawTextA(dc, text, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A raised header cell: light above and left, black below and right.
void HeaderCell(HDC dc, RECT r, const char* text) {
  Line(dc, RGB(255, 255, 255), r.left, r.bottom - 1, r.left, r.top);
  Line(dc, RGB(255, 255, 255), r.left, r.top, r.right - 1, r.top);
  Line(dc, RGB(0, 0, 0), r.left, r.bottom - 1, r.right - 1, r.bottom - 1);
  Line(dc, RGB(0, 0, 0), r.right - 1, r.top, r.right - 1, r.bottom);
  Text(dc, r, text, RGB(0, 0, 0));
}

RECT CellRect(CellSize s, int column, int row) {
  return {(column + 1) * s.width, (row + 1) * s.height, (column + 2) * s.width,
          (row + 2) * s.height};
}

void PaintGrid(HWND grid, const GridEditor& e) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(grid, &paint);
  RECT client;
  GetClientRect(grid, &client);
  const CellSize s = CellSizeOf(grid, e);
  Fill(dc, client, kLightGrey);
  Fill(dc, {s.width, s.height, client.right, client.bottom}, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  // The dialog's font: the system font leaves no room for names such as "Insert".
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(GetParent(grid), WM_GETFONT, 0, 0)));
  char header[3];
  for (int c = 0; c < e.mode.columns; ++c) {
    wsprintfA(header, "%X0", c);
    HeaderCell(dc, {(c + 1) * s.width, 0, (c + 2) * s.width, s.height}, header);
    Line(dc, kCellLines, (c + 2) * s.width - 1, s.height, (c + 2) * s.width - 1, client.bottom);
  }
  for (int r = 0; r < kRows; ++r) {
    wsprintfA(header, "0%X", r);
    HeaderCell(dc, {0, (r + 1) * s.height, s.width, (r + 2) * s.height}, header);
    Line(dc, kCellLines, s.width, (r + 2) * s.height - 1, client.right, (r + 2) * s.height - 1);
  }
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  for (int c = 0; c < e.mode.columns; ++c) {
    for (int r = 0; r < kRows; ++r) {
      const RECT cell = CellRect(s, c, r);
      const bool selected = c == e.column && r == e.row;
      if (selected) Fill(dc, cell, kBlue);
      Text(dc, cell, e.mode.names[c * kRows + r], selected ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
  }
  EndPaint(grid, &paint);
}

void PaintResult(HWND result, const GridEditor& e) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(result, &paint);
  RECT r;
  GetClientRect(result, &r);
  Fill(dc, r, RGB(255, 255, 255));
  Line(dc, kGrey, r.left, r.bottom - 1, r.left, r.top);
  Line(dc, kGrey, r.left, r.top, r.right, r.top);
  Line(dc, RGB(255, 255, 255), r.right - 1, r.top, r.right - 1, r.bottom);
  Line(dc, RGB(255, 255, 255), r.left, r.bottom - 1, r.right, r.bottom - 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, kGrey);
  HGDIOBJ old = SelectObject(
      dc, reinterpret_cast<HGDIOBJ>(SendMessageA(GetParent(result), WM_GETFONT, 0, 0)));
  r.left += 5;
  std::string text;
  RenderKeyCodeString(std::span(e.working).first(e.keys.size()), text, InterfaceMode);
  DrawTextA(dc, text.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  EndPaint(result, &paint);
}

void ShowResult(HWND dialog) {
  InvalidateRect(Item(dialog, IDC_GRID_RESULT), nullptr, TRUE);
}

void ClearWorking(GridEditor& e) {
  e.working.fill(0);
  e.position = 0;
}

// A click on cell (column, row): select it and add its key when the field has room.
void AddKey(HWND dialog, GridEditor& e, int column, int row) {
  e.column = column;
  e.row = row;
  InvalidateRect(Item(dialog, IDC_GRID), nullptr, FALSE);
  const int code = column * kRows + row;
  // Code 00 is no key: a zero byte would end the sequence and cut off what follows.
  if (code == 0) return;
  const bool flagged = e.wedge && (e.scanCode || e.modifiers != 0);
  if (e.position + (flagged ? 2 : 1) > static_cast<int>(e.keys.size())) {
    ShowError(dialog, "Too many characters !!!");
    return;
  }
  if (flagged)
    e.working[e.position++] =
        static_cast<uint8_t>(kScanCodeMarker | (e.scanCode ? 0 : e.modifiers));
  e.working[e.position++] = static_cast<uint8_t>(code);
  ShowResult(dialog);
}

LRESULT CALLBACK GridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND dialog = GetParent(grid);
  GridEditor& e = EditorOf(dialog);
  switch (message) {
    case WM_PAINT:
      PaintGrid(grid, e);
      return 0;
    case WM_LBUTTONDOWN: {
      const CellSize s = CellSizeOf(grid, e);
      const int c = static_cast<short>(LOWORD(lParam)) / std::max(s.width, 1);
      const int r = static_cast<short>(HIWORD(lParam)) / std::max(s.height, 1);
      if (c > 0 && r > 0 && c <= e.mode.columns && r <= kRows) AddKey(dialog, e, c - 1, r - 1);
      return 0;
    }
    default:
      return CallWindowProcA(e.gridProc, grid, message, wParam, lParam);
  }
}

LRESULT CALLBACK ResultProc(HWND result, UINT message, WPARAM wParam, LPARAM lParam) {
  GridEditor& e = EditorOf(GetParent(result));
  if (message == WM_PAINT) {
    PaintResult(result, e);
    return 0;
  }
  return CallWindowProcA(e.resultProc, result, message, wParam, lParam);
}

void Open(HWND dialog, GridEditor& e) {
  e.wedge = InterfaceMode == InterfaceKind::KeyboardWedge;
  const auto end = std::find(e.keys.begin(), e.keys.end(), 0);
  std::copy(e.keys.begin(), end, e.working.begin());
  std::string shown;
  const KeyRendering r = RenderKeyCodeString(e.keys, shown, InterfaceMode);
  e.position = r.count;
  e.scanCode = r.scanCode;
  e.modifiers = r.modifiers;
  e.gridProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(Item(dialog, IDC_GRID), GWLP_WNDPROC,
                                                           reinterpret_cast<LONG_PTR>(GridProc)));
  e.resultProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      Item(dialog, IDC_GRID_RESULT), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ResultProc)));
  ConfigureMode(dialog, e);
}

void Close(HWND dialog, GridEditor& e, bool ok) {
  if (ok) std::copy_n(e.working.begin(), e.keys.size(), e.keys.begin());
  EndDialog(dialog, ok ? 1 : 0);
}

INT_PTR CALLBACK GridDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    Open(dialog, *reinterpret_cast<GridEditor*>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  GridEditor& e = EditorOf(dialog);
  const int id = LOWORD(wParam);
  if (id >= IDC_ADD_SHIFT && id < IDC_ADD_SHIFT + kModifierCount) {
    FlipCheck(dialog, id);
    e.modifiers ^= static_cast<ModifierSet>(1u << (id - IDC_ADD_SHIFT));
  } else if (id == IDC_SCAN_CODE || id == IDC_NORMAL_KEY) {
    e.scanCode = id == IDC_SCAN_CODE;
    e.column = e.row = 0;
    ClearWorking(e);
    ConfigureMode(dialog, e);
    ShowResult(dialog);
    InvalidateRect(Item(dialog, IDC_GRID), nullptr, TRUE);
  } else if (id == IDC_GRID_CLEAR) {
    ClearWorking(e);
    ShowResult(dialog);
  } else if (id == IDOK || id == IDCANCEL) {
    Close(dialog, e, id == IDOK);
  }
  return TRUE;
}

}  // namespace

int RunKeyGridEditor(HWND owner, std::span<uint8_t> keys) {
  GridEditor editor;
  editor.keys = keys.first(std::min(keys.size(), editor.working.size()));
  return DialogBoxParamA(GetModuleHandleA(nullptr), kKeyGridDialog, owner, GridDialogProc,
                         reinterpret_cast<LPARAM>(&editor)) == 1
             ? 1
             : 0;
}
