// The main window after start-up: image, report, toolbar, menu, status bar, layout, About.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include "keycodes/key_code_string.h"
#include "report/settings_report.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "shell/document.h"
#include "shell/main_window.h"
#include "shell/report_view.h"
#include "tests/gui/gui_driver.h"

namespace {

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

RECT RectInMain(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

using Startup = GuiTest;

TEST_F(Startup, HoldsTheFactoryImageAndShowsItsReportFromTheFirstLine) {
  EXPECT_EQ(settingsImage.bytes, FactoryImage().bytes);
  EXPECT_EQ(InterfaceMode, InterfaceKind::KeyboardWedge);
  EXPECT_EQ(settingsModified, 0);
  EXPECT_EQ(currentFilePath, "");
  const std::string text = ReportViewText();
  EXPECT_EQ(text.substr(0, 120),
            "**************************************\r\n"
            "*** Scanner Model : Tavrenlok 4860 ***\r\n"
            "**************************************\r\n");
  EXPECT_EQ(text, ReportText(FactoryImage(), InterfaceKind::KeyboardWedge));
  EXPECT_EQ(SendMessageA(reportEdit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(Startup, BuildsTheWindowsOfTheirClassesWithTheReportInCourier) {
  EXPECT_EQ(ClassOf(window), "SKELV");
  EXPECT_EQ(WindowText(window), "  Tavrenlok 4860 Scanner Manager");
  EXPECT_EQ(ClassOf(clientWindow), "Client");
  EXPECT_EQ(GetParent(reportEdit), clientWindow);
  EXPECT_EQ(GetDlgCtrlID(reportEdit), 1);
  EXPECT_EQ(GetDlgCtrlID(toolbarWindow), 102);
  EXPECT_EQ(GetDlgCtrlID(statusWindow), 101);
  EXPECT_EQ(ReportViewFace(), "Courier");
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(reportEdit, EM_SETSEL, 0, GetWindowTextLengthA(reportEdit));
  SendMessageA(reportEdit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_TRUE(format.dwMask & CFM_BOLD);
  EXPECT_FALSE(format.dwEffects & CFE_BOLD);
}

TEST_F(Startup, KeepsTheReportViewBetweenToolbarAndStatusBarWhenResized) {
  for (const SIZE size : {SIZE{640, 480}, SIZE{900, 350}}) {
    SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
    RECT client{};
    GetClientRect(window, &client);
    const RECT toolbar = RectInMain(toolbarWindow);
    const RECT view = RectInMain(clientWindow);
    const RECT status = RectInMain(statusWindow);
    // The toolbar may hide its border just outside the client area.
    EXPECT_LE(toolbar.top, 0);
    EXPECT_LE(toolbar.left, 0);
    EXPECT_GE(toolbar.right, client.right);
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.right, client.right);
    EXPECT_EQ(view.top, toolbar.bottom + 2);
    EXPECT_EQ(view.bottom, status.top);
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(status.right - status.left, client.right);
    // The rich-edit control fills the view.
    RECT inner{};
    RECT edit{};
    GetClientRect(clientWindow, &inner);
    GetWindowRect(reportEdit, &edit);
    EXPECT_EQ(edit.right - edit.left, inner.right);
    EXPECT_EQ(edit.bottom - edit.top, inner.bottom);
  }
}

struct ButtonWant {
  int command;  // 0 for a separator
  int image;
  BYTE state;
  const char* tooltip;
};

TEST_F(Startup, ShowsTheNineToolbarButtonsWithTheirImagesStatesAndTooltips) {
  const ButtonWant want[] = {
      {0, 0, 0, nullptr},
      {1010, STD_FILENEW, TBSTATE_ENABLED, "New"},
      {1020, STD_FILEOPEN, TBSTATE_ENABLED, "Open"},
      {1030, STD_FILESAVE, TBSTATE_ENABLED, "Save"},
      {0, 0, 0, nullptr},
      {1120, STD_PROPERTIES, TBSTATE_ENABLED, "Configure"},
      {0, 0, 0, nullptr},
      {1210, STD_PRINT, TBSTATE_INDETERMINATE, "Print"},
      {1220, STD_COPY, TBSTATE_ENABLED, "Download"},
  };
  ASSERT_EQ(SendMessageA(toolbarWindow, TB_BUTTONCOUNT, 0, 0), 9);
  HWND tooltips = reinterpret_cast<HWND>(SendMessageA(toolbarWindow, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tooltips, nullptr);
  EXPECT_EQ(SendMessageA(tooltips, TTM_GETTOOLCOUNT, 0, 0), 6);
  TBBUTTON first{};
  SendMessageA(toolbarWindow, TB_GETBUTTON, 1, reinterpret_cast<LPARAM>(&first));
  const int offset = first.iBitmap - STD_FILENEW;
  for (int i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    TBBUTTON button{};
    ASSERT_TRUE(SendMessageA(toolbarWindow, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
    EXPECT_EQ(button.idCommand, want[i].command);
    if (!want[i].command) {
      EXPECT_TRUE(button.fsStyle & BTNS_SEP);
      continue;
    }
    EXPECT_EQ(button.iBitmap, offset + want[i].image);
    EXPECT_EQ(button.fsState & (TBSTATE_ENABLED | TBSTATE_INDETERMINATE), want[i].state);
    char text[80] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = toolbarWindow;
    tool.uId = static_cast<UINT_PTR>(want[i].command);
    tool.lpszText = text;
    SendMessageA(tooltips, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, want[i].tooltip);
  }
}

TEST_F(Startup, GreysOnlyPrintInTheMenuAndShowsMenuHelp) {
  HMENU menu = GetMenu(window);
  for (const int command : {1010, 1020, 1030, 1040, 1090, 1120, 1130, 1220, 1310})
    EXPECT_FALSE(GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) << command;
  EXPECT_TRUE(GetMenuState(menu, 1210, MF_BYCOMMAND) & MF_GRAYED);

  const struct {
    int command;
    const char* help;
  } helps[] = {
      {1010, "Creates a new document"},
      {1020, "Opens an existing document"},
      {1030, "Saves the active document"},
      {1040, "Saves the active document with a new name"},
      {1090, "Quites the application"},
      {1120, "Configure the scanner settings"},
      {1130, "Read the scanner settings"},
      {1220, "Download the current settings to the device"},
      {1210, "Prints the active document"},
      {1310, "Owner's information"},
  };
  for (const auto& help : helps) {
    SendMessageA(window, WM_MENUSELECT, MAKEWPARAM(help.command, MF_STRING),
                 reinterpret_cast<LPARAM>(menu));
    char text[128] = {};
    EXPECT_TRUE(SendMessageA(statusWindow, SB_ISSIMPLE, 0, 0));
    SendMessageA(statusWindow, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, help.help);
  }
}

// Offers a Ctrl+key press to the program's accelerators, as its message loop does.
void PressControlKey(HWND window, char key) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  const BYTE control = keys[VK_CONTROL];
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), "SKELV");
  MSG message{window, WM_KEYDOWN, static_cast<WPARAM>(key), 1, 0, {}};
  TranslateAcceleratorA(window, accelerators, &message);
  keys[VK_CONTROL] = control;
  SetKeyboardState(keys);
}

TEST_F(Startup, CtrlPDoesNothingWhileCtrlOReadAndDownloadOpen) {
  const SettingsImage before = settingsImage;
  PressControlKey(window, 'P');
  SendMessageA(window, WM_COMMAND, 1210, 0);
  EXPECT_TRUE(fileRequests.empty());
  EXPECT_TRUE(shownBoxes.empty());
  EXPECT_EQ(settingsImage.bytes, before.bytes);
  EXPECT_TRUE(IsWindow(window));

  openAnswers.push_back(std::nullopt);
  PressControlKey(window, 'O');
  ASSERT_EQ(fileRequests.size(), 1u);
  EXPECT_FALSE(fileRequests[0].save);

  // Read and Download start with the port dialog; cancelling it ends them.
  for (const char key : {'R', 'D'}) {
    std::string caption;
    Expect({OnDialog([&caption](HWND dialog) {
      caption = WindowText(dialog);
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    })});
    PressControlKey(window, key);
    EXPECT_EQ(caption, "COM Port Properties") << key;
  }
  EXPECT_TRUE(shownBoxes.empty());
  EXPECT_EQ(settingsImage.bytes, before.bytes);
}

TEST_F(Startup, AboutBoxShowsItsLineAndClosesOnlyWithOk) {
  std::string caption;
  std::string line;
  bool stayedOpen = false;
  Expect({OnDialog([&](HWND box) {
    caption = WindowText(box);
    line = DialogItemText(box, 502);
    SendMessageA(box, WM_COMMAND, IDCANCEL, 0);
    stayedOpen = IsWindow(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  })});
  Command(1310);
  EXPECT_EQ(caption, "The Skelvane");
  EXPECT_EQ(line, "Tavrenlok's Skelvane (Ver 1.00)");
  EXPECT_TRUE(stayedOpen);
}
}  // namespace
