// The report view: a rich-edit control in a fixed-pitch font filling the "Client" window.
#include "shell/report_view.h"

#include <richedit.h>

#include <string>

#include "report/settings_report.h"
#include "resources/resource_ids.h"

HWND reportEdit = nullptr;

namespace {

// Loaded once and kept for the life of the process.
HMODULE richEditLibrary = nullptr;

// The report's format: Courier, fixed pitch, not bold. Set for the insertion
// point, which the appended text takes, and as the control's default, which
// new paragraphs and the text after emptying the control take.
void SetReportFormat() {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_BOLD;
  format.dwEffects = CFE_AUTOCOLOR;
  format.bCharSet = DEFAULT_CHARSET;
  format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(format.szFaceName, "Courier", LF_FACESIZE);
  SendMessageA(reportEdit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(reportEdit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

void CreateReportEdit(HWND client) {
  if (!richEditLibrary) richEditLibrary = LoadLibraryA("RICHED32.DLL");
  reportEdit = CreateWindowExA(0, "RICHEDIT", "",
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                                   ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                               0, 0, 0, 0, client, reinterpret_cast<HMENU>(IDC_REPORT),
                               GetModuleHandleA(nullptr), nullptr);
  if (!reportEdit) return;
  SetReportFormat();
  SendMessageA(reportEdit, EM_EXLIMITTEXT, 0, 0xFFFFF);
}

}  // namespace

void RebuildReport() {
  if (!reportEdit) return;
  // One repaint at the end instead of one per piece.
  SendMessageA(reportEdit, WM_SETREDRAW, FALSE, 0);
  SendMessageA(reportEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  // The control takes the report in one piece: each insertion costs it a
  // pass over its text, and the report comes in a few hundred pieces.
  std::string text;
  RenderSettingsReport([&text](std::string_view piece) { text += piece; });
  SendMessageA(reportEdit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
  // Show the report from its first line.
  SendMessageA(reportEdit, EM_SETSEL, 0, 0);
  SendMessageA(reportEdit, WM_VSCROLL, SB_TOP, 0);
  SendMessageA(reportEdit, WM_HSCROLL, SB_LEFT, 0);
  SendMessageA(reportEdit, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(reportEdit, nullptr, TRUE);
}

LRESULT CALLBACK ClientWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateReportEdit(window);
      RebuildReport();
      return 0;
    case WM_SIZE:
      if (reportEdit) MoveWindow(reportEdit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_DESTROY:
      if (reportEdit) DestroyWindow(reportEdit);
      reportEdit = nullptr;
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
