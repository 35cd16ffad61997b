// The toolbar: the standard small colour images, nine buttons and their tooltips.
#include "shell/toolbar.h"

#include <commctrl.h>

#include "resources/resource_ids.h"

namespace {

struct ToolbarButton {
  int image;    // index in the standard bitmap; unused for separators
  int command;  // 0 for a separator
  BYTE state;
};

constexpr ToolbarButton kButtons[] = {
    {0, 0, 0},
    {STD_FILENEW, IDM_NEW, TBSTATE_ENABLED},
    {STD_FILEOPEN, IDM_OPEN, TBSTATE_ENABLED},
    {STD_FILESAVE, IDM_SAVE, TBSTATE_ENABLED},
    {0, 0, 0},
    {STD_PROPERTIES, IDM_CONFIGURE, TBSTATE_ENABLED},
    {0, 0, 0},
    {STD_PRINT, IDM_PRINT, TBSTATE_INDETERMINATE},
    {STD_COPY, IDM_DOWNLOAD, TBSTATE_ENABLED},
};
constexpr int kButtonCount = static_cast<int>(sizeof kButtons / sizeof kButtons[0]);

}  // namespace

HWND CreateToolbarTooltips(HWND owner, HWND toolbar) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  HWND tooltips =
      CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance, nullptr);
  if (!tooltips) return nullptr;
  for (int i = 0; i < kButtonCount; ++i) {
    if (!kButtons[i].command) continue;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = toolbar;
    tool.uId = static_cast<UINT_PTR>(kButtons[i].command);
    tool.hinst = instance;
    tool.lpszText = MAKEINTRESOURCEA(TOOLTIP_ID(kButtons[i].command));
    SendMessageA(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&tool.rect));
    SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageA(toolbar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tooltips), 0);
  return tooltips;
}

HWND CreateMainToolbar(HWND parent) {
  HWND toolbar =
      CreateToolbarEx(parent, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS, IDC_TOOLBAR, 0,
                      nullptr, 0, nullptr, 0, 16, 15, 16, 15, sizeof(TBBUTTON));
  if (!toolbar) return nullptr;
  TBADDBITMAP standard{HINST_COMMCTRL, IDB_STD_SMALL_COLOR};
  const int first =
      static_cast<int>(SendMessageA(toolbar, TB_ADDBITMAP, 0, reinterpret_cast<LPARAM>(&standard)));
  TBBUTTON buttons[kButtonCount] = {};
  for (int i = 0; i < kButtonCount; ++i) {
    buttons[i].iBitmap = kButtons[i].command ? first + kButtons[i].image : 0;
    buttons[i].idCommand = kButtons[i].command;
    buttons[i].fsState = kButtons[i].state;
    buttons[i].fsStyle = kButtons[i].command ? BTNS_BUTTON : BTNS_SEP;
  }
  SendMessageA(toolbar, TB_ADDBUTTONSA, kButtonCount, reinterpret_cast<LPARAM>(buttons));
  return toolbar;
}
