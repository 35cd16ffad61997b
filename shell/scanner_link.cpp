// RunScannerLink: the operator's side of a transfer, with its messages and retry questions.
#include "shell/scanner_link.h"

#include <windows.h>
#include <commctrl.h>

#include "link/connection.h"
#include "link/port_settings.h"
#include "link/transfer.h"
#include "settings/settings_image.h"
#include "shell/com_port_dialog.h"
#include "shell/progress_window.h"

namespace {

void ShowError(const char* text) {
  MessageBoxA(GetActiveWindow(), text, "Error", MB_OK | MB_ICONWARNING);
}

bool AskRetry(const char* question) {
  return MessageBoxA(GetActiveWindow(), question, "Error", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

int RunDownload(Port& port, const TransferProgress& progress) {
  while (!DownloadImage(port, settingsImage, progress)) {
    if (!AskRetry("Failed to download, would you like to retry?")) return 1;
  }
  MessageBoxA(GetActiveWindow(), kDownloadedText, "Download", MB_OK | MB_ICONWARNING);
  return 1;
}

int RunReadBack(Port& port, const TransferProgress& progress) {
  while (!ReadBackImage(port, settingsImage, progress)) {
    if (!AskRetry("Failed to read, would you like to retry?")) return -1;
  }
  return 1;
}

}  // namespace

int RunScannerLink(int direction) {
  if (!RunComPortDialog(GetFocus())) return 0;
  Port port;
  switch (OpenScannerPort(port, ComPortName(portSettings), portSettings)) {
    case PortOpenResult::CannotOpen:
      ShowError("Can't open the COM port!");
      return -1;
    case PortOpenResult::SettingsRefused:
      ShowError("Error on setting communication state");
      return 0;
    case PortOpenResult::Opened:
      break;
  }
  InitCommonControls();
  const TransferProgress progress = ProgressWindowCallbacks();
  const int result =
      direction == kDownload ? RunDownload(port, progress) : RunReadBack(port, progress);
  CloseScannerPort(port);
  return result;
}
