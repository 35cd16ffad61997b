// The reference for the start-up benchmark: a bare window whose rich-edit
// control, styled as the program's report view, holds the factory report,
// set in one piece.
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
  HWND window = CreateWindowExA(
      0, "Reference", "Reference", WS_OVERLAPPEDWINDOW, 20, 20, GetSystemMetrics(SM_CXSCREEN) - 40,
      GetSystemMetrics(SM_CYSCREEN) - 40, nullptr, nullptr, instance, nullptr);
  LoadLibraryA("RICHED32.DLL");
  // The program's report view: its styles and font, laid out once at the
  // window's size before the text goes in.
  RECT client{};
  GetClientRect(window, &client);
  HWND edit =
      CreateWindowExA(0, "RICHEDIT", "",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                          ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                      0, 0, client.right, client.bottom, window, nullptr, instance, nullptr);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_BOLD;
  format.dwEffects = CFE_AUTOCOLOR;
  format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(format.szFaceName, "Courier", LF_FACESIZE);
  SendMessageA(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(edit, EM_EXLIMITTEXT, 0, 0xFFFFF);
  const std::string report = ReportText(FactoryImage(), InterfaceKind::KeyboardWedge);
  SetWindowTextA(edit, report.c_str());
  ShowWindow(window, showState);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
