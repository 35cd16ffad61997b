// The commands: New, Open, Save, Save As, Configure, Read, Test scanning,
// Download, About and Exit, opening the file named at start, and closing.
#include "shell/commands.h"

#include <commctrl.h>

#include "keycodes/key_code_string.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "sheets/reader_sheet.h"
#include "shell/document.h"
#include "shell/main_window.h"
#include "shell/report_view.h"
#include "shell/scan_test_window.h"
#include "shell/scanner_link.h"
#include "shell/settings_dialogs.h"
#include "ui/dialog_items.h"

namespace {

// Runs a save operation; true when the image was written.
bool Save(HWND window, FileResult (*save)(HWND)) {
  const FileResult result = save(window);
  if (result == kFileFailed) ShowError(window, "Can't save the settings file!");
  if (result != kFileDone) return false;
  settingsModified = 0;
  return true;
}

// Offers to save unsaved changes; true when the caller may go on. Unsaved
// changes are never thrown away behind the operator's back: a save that
// fails or is cancelled stops the caller.
bool SaveChangesFirst(HWND window, const char* question) {
  if (!settingsModified) return true;
  switch (MessageBoxA(window, question, kMainTitle, MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES:
      return Save(window, SaveSettingsFile);
    case IDNO:
      return true;
    default:
      return false;
  }
}

// The sheet on the image's key mode, then what follows its closing whichever
// way: the modified flag (parameter dialogs write at their own OK, even when
// the sheet is cancelled), the key mode the image now records, and the report.
void ConfigureSettings(HWND window) {
  const SettingsImage before = settingsImage;
  InterfaceMode = InterfaceModeFromImage(settingsImage);
  RunReaderSettingsSheet(window);
  NoteImageChanges(before);
  InterfaceMode = InterfaceModeFromImage(settingsImage);
  RebuildReport();
}

void NewSettings(HWND window) {
  if (!SaveChangesFirst(window, "Save current settings ?")) return;
  settingsModified = 0;
  currentFilePath.clear();
  ResetToFactoryDefaults();
  ConfigureSettings(window);
}

void OpenSettings(HWND window) {
  if (!SaveChangesFirst(window, "Save current settings ?")) return;
  const FileResult result = OpenSettingsFile(window);
  if (result == kFileFailed) ShowError(window, "Can't open the settings file!");
  if (result != kFileDone) return;
  // The image now is the file's content: nothing to save yet.
  settingsModified = 0;
  ConfigureSettings(window);
}

// A read-back replaces the whole image: the sheet opens on what the scanner holds.
void ReadScannerSettings(HWND window) {
  if (RunScannerLink(kReadBack) <= 0) return;
  settingsModified = 1;
  ConfigureSettings(window);
}

// The download stores the checksum pair into the image, which then differs
// from what was last saved.
void DownloadSettings() {
  const SettingsImage before = settingsImage;
  RunScannerLink(kDownload);
  NoteImageChanges(before);
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunCommand(HWND window, int command) {
  // The test window holds the port.
  const bool usesPort = command == IDM_READ_SETTINGS || command == IDM_DOWNLOAD;
  if (usesPort && scanTestWindow) return;
  switch (command) {
    case IDM_NEW:
      NewSettings(window);
      break;
    case IDM_OPEN:
      OpenSettings(window);
      break;
    case IDM_SAVE:
      Save(window, SaveSettingsFile);
      break;
    case IDM_SAVE_AS:
      Save(window, SaveSettingsFileAs);
      break;
    case IDM_EXIT:
      SendMessageA(window, WM_CLOSE, 0, 0);
      break;
    case IDM_CONFIGURE:
      ConfigureSettings(window);
      break;
    case IDM_READ_SETTINGS:
      ReadScannerSettings(window);
      break;
    case IDM_TEST_SCANNING:
      OpenScanTestWindow(window);
      break;
    case IDM_DOWNLOAD:
      DownloadSettings();
      break;
    case IDM_ABOUT:
      DialogBoxParamA(GetModuleHandleA(nullptr), kAboutDialog, window, AboutBoxProc, 0);
      break;
    default:
      break;
  }
}

void OpenNamedSettings(HWND window, const char* name) {
  // The full path, as the dialog gives it: a relative one would lead Save
  // elsewhere once a file dialog has changed the current folder.
  char path[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(name, MAX_PATH, path, nullptr);
  if (length == 0 || length >= MAX_PATH || !OpenSettingsPath(path)) {
    ShowError(window, "Can't open the settings file!");
    return;
  }
  settingsModified = 0;
  InterfaceMode = InterfaceModeFromImage(settingsImage);
  RebuildReport();
}

void EnablePortCommands(HWND window, bool enabled) {
  const UINT state = enabled ? MF_ENABLED : MF_GRAYED;
  EnableMenuItem(GetMenu(window), IDM_READ_SETTINGS, MF_BYCOMMAND | state);
  EnableMenuItem(GetMenu(window), IDM_DOWNLOAD, MF_BYCOMMAND | state);
  SendDlgItemMessageA(window, IDC_TOOLBAR, TB_ENABLEBUTTON, IDM_DOWNLOAD, enabled);
}

void CloseMainWindow(HWND window) {
  if (SaveChangesFirst(window, "Save the program ?")) DestroyWindow(window);
}
