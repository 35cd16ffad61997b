// RunScannerLink: the operator's side of a transfer, with its messages and
// retry questions, and the check of a download by reading it back.
#include "shell/scanner_link.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/connection.h"
#include "link/port_settings.h"
#include "link/transfer.h"
#include "report/settings_report.h"
#include "settings/settings_image.h"
#include "shell/com_port_dialog.h"
#include "shell/progress_window.h"
#include "ui/dialog_items.h"

namespace {

bool AskRetry(const char* question) {
  return MessageBoxA(GetActiveWindow(), question, "Error", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

constexpr size_t kNamesListed = 10;

// The report's items the scanner holds otherwise, at most ten by name, and the question.
std::string DifferenceQuestion(const std::vector<std::string>& differences) {
  std::string text = "The scanner's settings read back differ from those downloaded in: ";
  for (size_t i = 0; i < differences.size() && i < kNamesListed; ++i)
    text += (i ? ", " : "") + differences[i];
  if (differences.size() > kNamesListed)
    text += " and " + std::to_string(differences.size() - kNamesListed) + " more";
  return text + ".\n\nDownload again?";
}

// Reads the scanner back into a copy and compares bytes 0 to 253; the
// program's image stays as it is. True when the operator asks for another download.
bool VerifyDownload(Port& port, const TransferProgress& progress) {
  SettingsImage back;
  while (!ReadBackImage(port, back, progress)) {
    if (!AskRetry("Failed to read, would you like to retry?")) return false;
  }
  constexpr int kCompared = field::checksum.offset;  // bytes 0 to 253
  if (std::equal(back.bytes.begin(), back.bytes.begin() + kCompared, settingsImage.bytes.begin())) {
    MessageBoxA(GetActiveWindow(), "Downloaded and verified.", "Download",
                MB_OK | MB_ICONINFORMATION);
    return false;
  }
  std::vector<std::string> differences = DifferingReportItems(settingsImage, back, InterfaceMode);
  // Reserved bits, which the report does not show, by their bytes.
  if (differences.empty())
    for (int i = 0; i < kCompared; ++i)
      if (back.bytes[i] != settingsImage.bytes[i])
        differences.push_back("byte " + std::to_string(i));
  return MessageBoxA(GetActiveWindow(), DifferenceQuestion(differences).c_str(), "Download",
                     MB_YESNO | MB_ICONWARNING) == IDYES;
}

int RunDownload(Port& port, const TransferProgress& progress) {
  do {
    while (!DownloadImage(port, settingsImage, progress)) {
      if (!AskRetry("Failed to download, would you like to retry?")) return 1;
    }
    if (!portSettings.verifyDownload) {
      MessageBoxA(GetActiveWindow(), kDownloadedText, "Download", MB_OK | MB_ICONWARNING);
      return 1;
    }
  } while (VerifyDownload(port, progress));
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
  const PortOpenResult opened = OpenScannerPort(port, ComPortName(portSettings), portSettings);
  if (const char* error = PortOpenError(opened)) {
    ShowError(GetActiveWindow(), error);
    return opened == PortOpenResult::CannotOpen ? -1 : 0;
  }
  InitCommonControls();
  const TransferProgress progress = ProgressWindowCallbacks();
  const int result =
      direction == kDownload ? RunDownload(port, progress) : RunReadBack(port, progress);
  CloseScannerPort(port);
  return result;
}
