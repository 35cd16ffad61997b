// The reference for the start-up benchmark: a bare window whose rich-edit
// control, styled as the program's report view, holds the factory report,
// set in one piece.
#include <windows.h>

#include "bench/reference_edit.h"

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
  // Laid out once at the window's size before the text goes in.
  RECT client{};
  GetClientRect(window, &client);
  SetWindowTextA(CreateReferenceEdit(window, client.right, client.bottom),
                 ReferenceReport().c_str());
  ShowWindow(window, showState);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
