// The benchmarks' reference: a rich edit made as the report view is (its
// styles and font), at its final size, and the factory report to put into it.
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>

#include "report/settings_report.h"
#include "settings/factory_defaults.h"

inline HWND CreateReferenceEdit(HWND parent, int width, int height) {
  LoadLibraryA("RICHED32.DLL");
  HWND edit =
      CreateWindowExA(0, "RICHEDIT", "",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                          ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                      0, 0, width, height, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  format.dwMask = CFM_FACE | CFM_BOLD;
  format.dwEffects = CFE_AUTOCOLOR;
  format.bPitchAndFamily = FIXED_PITCH | FF_MODERN;
  lstrcpynA(format.szFaceName, "Courier", LF_FACESIZE);
  SendMessageA(edit, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  SendMessageA(edit, EM_EXLIMITTEXT, 0, 0xFFFFF);
  return edit;
}

inline const std::string& ReferenceReport() {
  static const std::string report = ReportText(FactoryImage(), InterfaceKind::KeyboardWedge);
  return report;
}
