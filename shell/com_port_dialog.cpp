// The "COM Port Properties" dialog procedure: lists bound to PortSettings.
#include "shell/com_port_dialog.h"

#include <span>

#include "link/port_settings.h"
#include "resources/resource_ids.h"
#include "shell/dialog_items.h"

namespace {

struct ChoiceList {
  int id;
  std::span<const char* const> entries;
  int PortSettings::*choice;
};
const ChoiceList kChoiceLists[] = {
    {IDC_COM_PORT, kComPortEntries, &PortSettings::comPort},
    {IDC_BAUD_RATE, kBaudRateEntries, &PortSettings::baudRate},
    {IDC_DATA_BITS, kDataBitsEntries, &PortSettings::dataBits},
    {IDC_PARITY, kParityEntries, &PortSettings::parity},
    {IDC_FLOW_CONTROL, kFlowControlEntries, &PortSettings::flowControl},
};

void FillLists(HWND dialog) {
  for (const ChoiceList& list : kChoiceLists) {
    for (const char* entry : list.entries)
      SendItem(dialog, list.id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendItem(dialog, list.id, CB_SETCURSEL, static_cast<WPARAM>(portSettings.*list.choice));
  }
}

void StoreChoices(HWND dialog) {
  for (const ChoiceList& list : kChoiceLists) {
    const LRESULT selected = SendItem(dialog, list.id, CB_GETCURSEL);
    if (selected != CB_ERR) portSettings.*list.choice = static_cast<int>(selected);
  }
}

INT_PTR CALLBACK ComPortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      FillLists(dialog);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          StoreChoices(dialog);
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

}  // namespace

int RunComPortDialog(HWND owner) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), "ComSettingDlg", owner, ComPortDialogProc,
                         0) == 1
             ? 1
             : 0;
}
