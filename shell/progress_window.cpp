// The progress window. The transfer keeps the thread busy until it ends, so the
// window is repainted by hand after every change instead of by the message loop.
#include "shell/progress_window.h"

#include <commctrl.h>

#include "resources/resource_ids.h"

HWND progressWindow = nullptr;

namespace {

constexpr int kBarMargin = 14;  // pixels left and right of the bar
constexpr int kBarHeight = 20;
HWND progressBar = nullptr;

INT_PTR CALLBACK ProgressDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

void Repaint() {
  RedrawWindow(progressWindow, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Create(void*) {
  progressWindow = CreateDialogParamA(GetModuleHandleA(nullptr), kProgressDialog, nullptr,
                                      ProgressDialogProc, 0);
  if (!progressWindow) return;
  RECT client{};
  GetClientRect(progressWindow, &client);
  progressBar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, kBarMargin,
                                client.bottom / 2, client.right - 2 * kBarMargin, kBarHeight,
                                progressWindow, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(progressBar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageA(progressBar, PBM_SETPOS, 0, 0);
  ShowWindow(progressWindow, SW_SHOWNORMAL);
  Repaint();
}

void SetText(void*, const char* text) {
  if (!progressWindow) return;
  SetDlgItemTextA(progressWindow, IDC_PROGRESS_TEXT, text);
  Repaint();
}

void SetPosition(void*, int position) {
  if (!progressBar) return;
  SendMessageA(progressBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  Repaint();
}

void Close(void*) {
  if (progressWindow) DestroyWindow(progressWindow);  // destroys the bar with it
  progressWindow = nullptr;
  progressBar = nullptr;
}

}  // namespace

TransferProgress ProgressWindowCallbacks() {
  TransferProgress progress;
  progress.create = Create;
  progress.setText = SetText;
  progress.setPosition = SetPosition;
  progress.close = Close;
  return progress;
}
