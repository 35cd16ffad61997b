// One-line helpers over the dialog-item calls, shared by every dialog and page.
#pragma once

#include <windows.h>

#include <string>

inline HWND Item(HWND dialog, int id) {
  return GetDlgItem(dialog, id);
}
inline LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}
inline bool IsChecked(HWND dialog, int id) {
  return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
inline void SetCheck(HWND dialog, int id, bool on) {
  CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}
inline void FlipCheck(HWND dialog, int id) {
  SetCheck(dialog, id, !IsChecked(dialog, id));
}
inline void EnableItem(HWND dialog, int id, bool on) {
  EnableWindow(Item(dialog, id), on);
}
inline void ShowItem(HWND dialog, int id, bool on) {
  ShowWindow(Item(dialog, id), on ? SW_SHOW : SW_HIDE);
}
inline void SetItemText(HWND dialog, int id, const char* text) {
  SetDlgItemTextA(dialog, id, text);
}
inline std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}
inline std::string ItemText(HWND dialog, int id) {
  return WindowText(Item(dialog, id));
}
inline void AddEntry(HWND dialog, int list, const char* entry) {
  SendItem(dialog, list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}
inline int Selection(HWND dialog, int list) {
  const LRESULT selected = SendItem(dialog, list, CB_GETCURSEL);
  return selected == CB_ERR ? -1 : static_cast<int>(selected);
}
inline void Select(HWND dialog, int list, int entry) {
  SendItem(dialog, list, CB_SETCURSEL, static_cast<WPARAM>(entry));
}

// The operator's error message box, titled "Error", over `owner`.
inline void ShowError(HWND owner, const char* text) {
  MessageBoxA(owner, text, "Error", MB_OK | MB_ICONWARNING);
}
