// Loading and storing bound controls, and the commands and notifications every page shares.
#include "sheets/page_binding.h"

#include <commctrl.h>

#include <limits>
#include <string>

#include "shell/dialog_items.h"

namespace {

unsigned FieldMaximum(ImageField field) { return field.mask >> LowestMaskBit(field.mask); }

void LoadList(HWND page, const ControlBinding& binding) {
  for (const char* entry : binding.entries)
    SendItem(page, binding.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  const unsigned value = Get(settingsImage, binding.field);
  // A stored value without an entry leaves the list without a selection.
  const WPARAM selection = value < binding.entries.size() ? value : static_cast<WPARAM>(-1);
  SendItem(page, binding.control, CB_SETCURSEL, selection);
}

void StoreList(HWND page, const ControlBinding& binding) {
  const LRESULT selection = SendItem(page, binding.control, CB_GETCURSEL);
  if (selection == CB_ERR) return;
  Set(settingsImage, binding.field, static_cast<unsigned>(selection));
}

void LoadNumber(HWND page, const ControlBinding& binding) {
  if (binding.upDown)
    SendItem(page, binding.upDown, UDM_SETRANGE, 0,
             MAKELPARAM(FieldMaximum(binding.field), 0));
  SetDlgItemInt(page, binding.control, Get(settingsImage, binding.field), FALSE);
}

void StoreNumber(HWND page, const ControlBinding& binding) {
  const unsigned value = ReadNumberText(ItemText(page, binding.control)).value_or(0);
  const unsigned maximum = FieldMaximum(binding.field);
  Set(settingsImage, binding.field, value > maximum ? maximum : value);
}

void KeepNumeric(HWND page, int edit) {
  const std::string text = ItemText(page, edit);
  if (!text.empty() && !ReadNumberText(text)) SetItemText(page, edit, "0");
}

}  // namespace

std::optional<unsigned> ReadNumberText(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  constexpr unsigned kLargest = std::numeric_limits<unsigned>::max();
  unsigned value = 0;
  for (const char c : text.substr(start)) {
    if (c < '0' || c > '9') return std::nullopt;
    const unsigned digit = static_cast<unsigned>(c - '0');
    value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
  }
  return value;
}

void LoadControls(HWND page, std::span<const ControlBinding> bindings) {
  for (const ControlBinding& binding : bindings) {
    switch (binding.kind) {
      case ControlKind::List:
        LoadList(page, binding);
        break;
      case ControlKind::Number:
        LoadNumber(page, binding);
        break;
      case ControlKind::Check:
        SetCheck(page, binding.control, Get(settingsImage, binding.field) != 0);
        break;
    }
  }
}

void StoreControls(HWND page, std::span<const ControlBinding> bindings) {
  for (const ControlBinding& binding : bindings) {
    switch (binding.kind) {
      case ControlKind::List:
        StoreList(page, binding);
        break;
      case ControlKind::Number:
        StoreNumber(page, binding);
        break;
      case ControlKind::Check:
        Set(settingsImage, binding.field, IsChecked(page, binding.control) ? 1 : 0);
        break;
    }
  }
}

void HandleBoundCommand(HWND page, std::span<const ControlBinding> bindings, WPARAM wParam) {
  const int control = LOWORD(wParam);
  const int code = HIWORD(wParam);
  for (const ControlBinding& binding : bindings) {
    if (binding.control != control) continue;
    if (binding.kind == ControlKind::Check && code == BN_CLICKED) FlipCheck(page, control);
    if (binding.kind == ControlKind::Number && code == EN_CHANGE) KeepNumeric(page, control);
  }
}

INT_PTR HandlePageNotify(HWND page, std::span<const ControlBinding> bindings, LPARAM lParam) {
  switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
    case PSN_APPLY:
      StoreControls(page, bindings);
      SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    case PSN_QUERYCANCEL:
      SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
      return TRUE;
    default:
      return FALSE;
  }
}
