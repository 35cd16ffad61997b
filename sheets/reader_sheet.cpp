// The "Reader Settings" sheet: its pages in order, and what follows its closing.
#include "sheets/reader_sheet.h"

#include <commctrl.h>

#include <iterator>

#include "keycodes/key_code_string.h"
#include "settings/settings_image.h"
#include "sheets/scanner_page.h"
#include "shell/document.h"
#include "shell/report_view.h"

namespace {

struct PageTemplate {
  const char* dialog;
  DLGPROC procedure;
};

constexpr PageTemplate kPages[] = {
    {"SCANNER_DLG", ScannerPageProc},
};
constexpr int kPageCount = static_cast<int>(std::size(kPages));

}  // namespace

void RunReaderSettingsSheet(HWND parent) {
  const SettingsImage before = settingsImage;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  HPROPSHEETPAGE pages[kPageCount] = {};
  for (int i = 0; i < kPageCount; ++i) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = kPages[i].dialog;
    page.pfnDlgProc = kPages[i].procedure;
    pages[i] = CreatePropertySheetPageA(&page);
  }
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_NOAPPLYNOW;
  header.hwndParent = parent;
  header.hInstance = instance;
  header.pszCaption = "Reader Settings";
  header.nPages = kPageCount;
  header.nStartPage = 0;
  header.phpage = pages;
  PropertySheetA(&header);

  NoteImageChanges(before);
  InterfaceMode = InterfaceModeFromImage(settingsImage);
  RebuildReport();
}
