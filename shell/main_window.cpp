// The main window: its classes, its children, their layout and the message loop.
#include "shell/main_window.h"

#include <commctrl.h>

#include "keycodes/key_code_string.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "shell/commands.h"
#include "shell/document.h"
#include "shell/report_view.h"
#include "shell/scan_test_window.h"
#include "shell/toolbar.h"

HWND mainWindow = nullptr;
HWND toolbarWindow = nullptr;
HWND statusWindow = nullptr;
HWND clientWindow = nullptr;

namespace {

constexpr UINT kCreateTooltips = WM_APP;

// Gap between the toolbar and the report view.
constexpr int kToolbarGap = 2;

int Height(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect.bottom - rect.top;
}

// Where a child's lower edge lies in its parent's client area.
int Bottom(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect.bottom;
}

void Layout(int width, int height) {
  int top = 0;
  if (toolbarWindow) {
    MoveWindow(toolbarWindow, 0, 0, width, Height(toolbarWindow), TRUE);
    // The toolbar may adjust its own place around its border.
    top = Bottom(toolbarWindow);
  }
  const int status = statusWindow ? Height(statusWindow) : 0;
  if (clientWindow)
    MoveWindow(clientWindow, 0, top + kToolbarGap, width, height - status - top - kToolbarGap,
               TRUE);
  if (statusWindow) MoveWindow(statusWindow, 0, height - status, width, status, TRUE);
}

void CreateChildren(HWND window) {
  InitCommonControls();
  ResetToFactoryDefaults();
  InterfaceMode = InterfaceModeFromImage(settingsImage);
  settingsModified = 0;
  currentFilePath.clear();
  toolbarWindow = CreateMainToolbar(window);
  clientWindow =
      CreateWindowExA(WS_EX_CLIENTEDGE, kClientClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                      0, 0, 0, 0, window, nullptr, GetModuleHandleA(nullptr), nullptr);
  statusWindow =
      CreateStatusWindowA(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM | SBARS_SIZEGRIP, "",
                          window, IDC_STATUS_BAR);
  // Laid out while still hidden: sizing the report view after the window
  // shows would cost the rich edit a second, visible layout of the report,
  // the larger part of the time to the first report.
  RECT client{};
  GetClientRect(window, &client);
  Layout(client.right, client.bottom);
  // Tooltips are not needed before the window shows; they come once it has.
  PostMessageA(window, kCreateTooltips, 0, 0);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      mainWindow = window;
      CreateChildren(window);
      return 0;
    case WM_SIZE:
      Layout(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case kCreateTooltips:
      if (toolbarWindow) CreateToolbarTooltips(window, toolbarWindow);
      return 0;
    case WM_MENUSELECT: {
      UINT noPopupTexts[] = {0, 0};
      MenuHelp(WM_MENUSELECT, wParam, lParam, GetMenu(window), GetModuleHandleA(nullptr),
               statusWindow, noPopupTexts);
      return 0;
    }
    case WM_COMMAND:
      RunCommand(window, LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      CloseMainWindow(window);
      return 0;
    case WM_DESTROY:
      mainWindow = toolbarWindow = statusWindow = clientWindow = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int RegisterWindowClasses(HINSTANCE instance) {
  WNDCLASSA main{};
  main.style = CS_HREDRAW | CS_VREDRAW;
  main.lpfnWndProc = MainWindowProc;
  main.hInstance = instance;
  main.hIcon = LoadIconA(instance, kMainClass);
  main.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  main.lpszMenuName = kMainClass;
  main.lpszClassName = kMainClass;
  if (!RegisterClassA(&main)) return 0;

  WNDCLASSA client{};
  client.style = CS_HREDRAW | CS_VREDRAW;
  client.lpfnWndProc = ClientWindowProc;
  client.hInstance = instance;
  client.hCursor = main.hCursor;
  client.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
  client.lpszClassName = kClientClass;
  return RegisterClassA(&client) ? 1 : 0;
}

HWND CreateMainWindow(HINSTANCE instance, int showState) {
  HWND window =
      CreateWindowExA(0, kMainClass, kMainTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20,
                      GetSystemMetrics(SM_CXSCREEN) - 40, GetSystemMetrics(SM_CYSCREEN) - 40,
                      nullptr, nullptr, instance, nullptr);
  if (!window) return nullptr;
  ShowWindow(window, showState);
  UpdateWindow(window);
  return window;
}

int RunMessageLoop(HINSTANCE instance, HWND window) {
  HACCEL accelerators = LoadAcceleratorsA(instance, kMainClass);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (ScanTestMessage(&message)) continue;
    if (TranslateAcceleratorA(window, accelerators, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
