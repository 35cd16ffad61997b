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

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

HWND MakeBar(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, kBarMargin,
                                   client.bottom / 2, client.right - 2 * kBarMargin, kBarHeight,
                                   window, nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageA(bar, PBM_SETPOS, 0, 0);
  return bar;
}

void Create(void*) {
  progressWindow = CreateDialogParamA(GetModuleHandleA(nullptr), kProgressDialog, nullptr,
                                      ProgressDialogProc, 0);
  if (!progressWindow) return;
  progressBar = MakeBar(progressWindow);
  ShowWindow(progressWindow, SW_SHOWNORMAL);
  Repaint(progressWindow);
}

void SetText(void*, const char* text) {
  if (!progressWindow) return;
  SetDlgItemTextA(progressWindow, IDC_PROGRESS_TEXT, text);
  Repaint(progressWindow);
}

void SetPosition(void*, int position) {
  if (!progressBar) return;
  SendMessageA(progressBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  Repaint(progressWindow);
}

void Close(void*) {
  if (progressWindow) DestroyWindow(progressWindow);  // destroys the bar with it
  progressWindow = nullptr;
  progressBar = nullptr;
}

INT_PTR CALLBACK ProbeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    reinterpret_cast<ProbeWindow*>(GetWindowLongPtrA(dialog, DWLP_USER))->cancelled = true;
    return TRUE;
  }
  return FALSE;
}

// The search keeps the thread busy for up to a second per setting: between
// settings the window shows the next one and takes what the operator did.
bool Trying(void* context, const PortSettings& line, int index, int count) {
  ProbeWindow& w = *static_cast<ProbeWindow*>(context);
  if (!w.window) {
    w.window = CreateDialogParamA(GetModuleHandleA(nullptr), kProbeProgressDialog, w.owner,
                                  ProbeDialogProc, reinterpret_cast<LPARAM>(&w));
    if (!w.window) return true;
    EnableWindow(w.owner, FALSE);
    w.bar = MakeBar(w.window);
  }
  SetDlgItemTextA(w.window, IDC_PROGRESS_TEXT, ("Trying " + LineText(line) + "...").c_str());
  SendMessageA(w.bar, PBM_SETPOS, static_cast<WPARAM>(100 * index / count), 0);
  Repaint(w.window);
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    if (!IsDialogMessageA(w.window, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return !w.cancelled;
}

}  // namespace

ProbeProgress ProbeWindowProgress(ProbeWindow& window) {
  return {&window, Trying};
}

void CloseProbeWindow(ProbeWindow& w) {
  if (!w.window) return;
  // Enabled first, so that the owner becomes the active window again.
  EnableWindow(w.owner, TRUE);
  DestroyWindow(w.window);
  w.window = w.bar = nullptr;
}

TransferProgress ProgressWindowCallbacks() {
  TransferProgress progress;
  progress.create = Create;
  progress.setText = SetText;
  progress.setPosition = SetPosition;
  progress.close = Close;
  return progress;
}
