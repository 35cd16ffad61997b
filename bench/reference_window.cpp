// The reference for the start-up benchmark: a bare window whose rich-edit
// control holds the factory report, set in one piece.
#include <windows.h>

#include <richedit.h>

#include <string>

#include "report/settings_report.h"
#include "settings/factory_defaults.h"

namespace {

LRESULT CALLBACK ReferenceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE) {
    MoveWindow(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = ReferenceProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "Reference";
  RegisterClassA(&windowClass);
  // The size of the program's main window.
  HWND window = CreateWindowExA(0, "Reference", "Reference", WS_OVERLAPPEDWINDOW, 20, 20,
                                GetSystemMetrics(SM_CXSCREEN) - 40,
                                GetSystemMetrics(SM_CYSCREEN) - 40, nullptr, nullptr, instance,
                                nullptr);
  LoadLibraryA("RICHED32.DLL");
  HWND edit = CreateWindowExA(0, "RICHEDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE,
                              0, 0, 0, 0, window, nullptr, instance, nullptr);
  SendMessageA(edit, EM_EXLIMITTEXT, 0, 0xFFFFF);
  const std::string report = ReportText(FactoryImage(), InterfaceKind::KeyboardWedge);
  SetWindowTextA(edit, report.c_str());
  ShowWindow(window, showState);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
