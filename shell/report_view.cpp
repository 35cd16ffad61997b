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

// The report's format: Courier, fixed pitch, not bold. Set as the control's
// default, which WM_SETTEXT gives its text; for the insertion point, which
// typed text takes; and for all the text, down to the end-of-text mark, which
// would otherwise keep the format of what the operator pasted.
void SetReportFormat() {
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_BOLD;
  format.dwEffects = CFE_AUTOCOLOR;
  format.bCharSet = DEFAULT_CHARSET;
  format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(format.szFaceName, "Courier", LF_FACESIZE);
  for (const WPARAM which : {SCF_DEFAULT, SCF_SELECTION, SCF_ALL})
    SendMessageA(reportEdit, EM_SETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format));
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
  // What the operator typed or pasted may have left other formats behind,
  // down to the end-of-text mark, for the report to take.
  if (SendMessageA(reportEdit, EM_GETMODIFY, 0, 0)) SetReportFormat();
  // The whole report in one WM_SETTEXT: the control lays it out and paints
  // it once, as fast as a fresh control would. Emptying it and inserting the
  // report at the caret took more than twice as long, painting it twice.
  std::string text;
  RenderSettingsReport([&text](std::string_view piece) { text += piece; });
  SendMessageA(reportEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  // Show the report from its first line.
  SendMessageA(reportEdit, EM_SETSEL, 0, 0);
  SendMessageA(reportEdit, WM_VSCROLL, SB_TOP, 0);
  SendMessageA(reportEdit, WM_HSCROLL, SB_LEFT, 0);
  // From here on, only the operator modifies it.
  SendMessageA(reportEdit, EM_SETMODIFY, FALSE, 0);
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
