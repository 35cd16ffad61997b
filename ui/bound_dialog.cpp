// The one page procedure and the one modal procedure that run binding tables,
// and the runners of bound dialogs and sheets.
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "ui/binding_kinds.h"

namespace {

BoundDialog* BoundOf(HWND dialog) {
  return reinterpret_cast<BoundDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

INT_PTR Own(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, BoundDialog& bound) {
  return bound.table->own ? bound.table->own(dialog, message, wParam, lParam, bound) : 0;
}

void Attach(HWND dialog, BoundDialog* bound) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(bound));
  LoadRows(dialog, *bound);
}

INT_PTR CALLBACK BoundPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* bound = reinterpret_cast<BoundDialog*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
    Attach(page, bound);
    Own(page, message, wParam, lParam, *bound);
    return TRUE;
  }
  BoundDialog* bound = BoundOf(page);
  if (!bound) return FALSE;
  if (message == WM_COMMAND) RowCommand(page, *bound, wParam);
  if (message == WM_NOTIFY) {
    switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
      case PSN_APPLY:
        StoreRows(page, *bound);
        Own(page, message, wParam, lParam, *bound);
        bound->applied = true;
        SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
      case PSN_QUERYCANCEL:
        SetWindowLongPtrA(page, DWLP_MSGRESULT, FALSE);
        return TRUE;
    }
  }
  return Own(page, message, wParam, lParam, *bound);
}

INT_PTR CALLBACK BoundDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* bound = reinterpret_cast<BoundDialog*>(lParam);
    Attach(dialog, bound);
    Own(dialog, message, wParam, lParam, *bound);
    return TRUE;
  }
  BoundDialog* bound = BoundOf(dialog);
  if (!bound) return FALSE;
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case IDOK:
        StoreRows(dialog, *bound);
        Own(dialog, message, wParam, lParam, *bound);
        EndDialog(dialog, 1);
        return TRUE;
      case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    }
    RowCommand(dialog, *bound, wParam);
  }
  return Own(dialog, message, wParam, lParam, *bound);
}

}  // namespace

int RunBoundDialog(HWND owner, const DialogTable& table, std::span<uint8_t> target) {
  BoundDialog bound;
  bound.table = &table;
  bound.target = target;
  return DialogBoxParamA(GetModuleHandleA(nullptr), table.dialog, owner, BoundDialogProc,
                         reinterpret_cast<LPARAM>(&bound)) == 1
             ? 1
             : 0;
}

bool RunBoundSheet(HWND parent, const char* caption, std::span<const DialogTable* const> pages,
                   std::span<uint8_t> target) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  std::vector<BoundDialog> bound;
  bound.reserve(pages.size());
  std::vector<HPROPSHEETPAGE> handles;
  for (const DialogTable* table : pages) {
    bound.emplace_back().table = table;
    bound.back().target = target;
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = table->dialog;
    page.pfnDlgProc = BoundPageProc;
    page.lParam = reinterpret_cast<LPARAM>(&bound.back());
    handles.push_back(CreatePropertySheetPageA(&page));
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_NOAPPLYNOW;
  header.hwndParent = parent;
  header.hInstance = instance;
  header.pszCaption = caption;
  header.nPages = static_cast<UINT>(handles.size());
  header.nStartPage = 0;
  header.phpage = handles.data();
  PropertySheetA(&header);
  // OK reaches every created page, and the first page is always created.
  return !bound.empty() && bound.front().applied;
}
