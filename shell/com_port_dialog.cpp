// The "COM Port Properties" dialog: five lists bound to PortSettings.
#include "shell/com_port_dialog.h"

#include "link/port_settings.h"
#include "resources/resource_ids.h"

namespace {

const Binding kRows[] = {
    List(IDC_COM_PORT, portField::comPort, kComPortEntries),
    List(IDC_BAUD_RATE, portField::baudRate, kBaudRateEntries),
    List(IDC_DATA_BITS, portField::dataBits, kDataBitsEntries),
    List(IDC_PARITY, portField::parity, kParityEntries),
    List(IDC_FLOW_CONTROL, portField::flowControl, kFlowControlEntries),
};
}  // namespace

const DialogTable kComPortTable{kComPortDialog, kRows};

int RunComPortDialog(HWND owner) {
  return RunBoundDialog(owner, kComPortTable, SettingsBytes(portSettings));
}
