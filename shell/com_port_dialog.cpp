// The "COM Port Properties" dialog: five lists and the verify check box bound
// to PortSettings, and Find, which searches the chosen port for the line
// settings at which the scanner answers and puts them into the lists.
#include "shell/com_port_dialog.h"

#include <string>

#include "link/connection.h"
#include "link/port_settings.h"
#include "link/probe.h"
#include "resources/resource_ids.h"
#include "shell/progress_window.h"
#include "ui/dialog_items.h"

namespace {

void FindLine(HWND dialog, const BoundDialog& bound) {
  // The lists as they are now; nothing reaches PortSettings before OK.
  PortSettings given;
  StoreRowsInto(dialog, bound, SettingsBytes(given));
  const char* device = ComPortName(given);
  Port port;
  if (const char* error = PortOpenError(OpenProbePort(port, device))) {
    ShowError(dialog, error);
    return;
  }
  ProbeWindow window;
  window.owner = dialog;
  const ProbeResult result = ProbeScanner(port, given, ProbeWindowProgress(window));
  CloseProbeWindow(window);
  CloseScannerPort(port);
  if (result.cancelled) return;
  if (!result.found) {
    ShowError(dialog,
              (std::string("No scanner answered on ") + device + " at any line setting.").c_str());
    return;
  }
  Select(dialog, IDC_BAUD_RATE, result.line.baudRate);
  Select(dialog, IDC_DATA_BITS, result.line.dataBits);
  Select(dialog, IDC_PARITY, result.line.parity);
  SetItemText(dialog, IDC_FOUND_LINE,
              ("Found at " + LineText(result.line) + " (" + result.version + ")").c_str());
}

INT_PTR ComPortOwn(HWND dialog, UINT message, WPARAM wParam, LPARAM, BoundDialog& bound) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_FIND_LINE && HIWORD(wParam) == BN_CLICKED) {
    FindLine(dialog, bound);
    return TRUE;
  }
  return 0;
}

const Binding kRows[] = {
    List(IDC_COM_PORT, portField::comPort, kComPortEntries),
    List(IDC_BAUD_RATE, portField::baudRate, kBaudRateEntries),
    List(IDC_DATA_BITS, portField::dataBits, kDataBitsEntries),
    List(IDC_PARITY, portField::parity, kParityEntries),
    List(IDC_FLOW_CONTROL, portField::flowControl, kFlowControlEntries),
    Check(IDC_VERIFY_DOWNLOAD, portField::verifyDownload),
};
}  // namespace

const DialogTable kComPortTable{kComPortDialog, kRows, ComPortOwn};

const char* PortOpenError(PortOpenResult result) {
  switch (result) {
    case PortOpenResult::CannotOpen:
      return "Can't open the COM port!";
    case PortOpenResult::SettingsRefused:
      return "Error on setting communication state";
    case PortOpenResult::Opened:
      break;
  }
  return nullptr;
}

int RunComPortDialog(HWND owner) {
  return RunBoundDialog(owner, kComPortTable, SettingsBytes(portSettings));
}
