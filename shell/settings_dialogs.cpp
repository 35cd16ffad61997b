// The file dialogs of Open and Save As; what follows the dialog lives with the settings file.
#include "shell/settings_dialogs.h"

#include <string>

#include "settings/settings_file.h"

namespace {

// The common dialogs bring the shell's libraries with them: they are loaded
// when a file dialog is first needed, not at start-up.
template <class Function>
Function CommonDialogCall(const char* name) {
  static const HMODULE library = LoadLibraryA("comdlg32.dll");
  return library
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
             : nullptr;
}

BOOL WINAPI ShowDialog(LPOPENFILENAMEA request, const char* name) {
  const auto show = CommonDialogCall<FileDialogFunction>(name);
  return show && show(request);
}
BOOL WINAPI ShowOpenDialog(LPOPENFILENAMEA request) {
  return ShowDialog(request, "GetOpenFileNameA");
}
BOOL WINAPI ShowSaveDialog(LPOPENFILENAMEA request) {
  return ShowDialog(request, "GetSaveFileNameA");
}

}  // namespace

FileDialogFunction showOpenDialog = ShowOpenDialog;
FileDialogFunction showSaveDialog = ShowSaveDialog;

namespace {

constexpr char kFilter[] = "Scanner settings (*.qrs)\0*.qrs\0";
constexpr int kOpenBufferSize = kMaxPathLength + 1;
constexpr int kSaveAsBufferSize = 260;

OPENFILENAMEA DialogRequest(HWND owner, char* buffer, int size, DWORD flags) {
  OPENFILENAMEA request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = owner;
  request.lpstrFilter = kFilter;
  request.nFilterIndex = 1;
  request.lpstrFile = buffer;
  request.nMaxFile = static_cast<DWORD>(size);
  request.Flags = flags;
  return request;
}

// A dialog that returns no name was cancelled, unless the dialog itself
// failed (for instance on a name longer than its buffer).
FileResult NoName() {
  const auto error = CommonDialogCall<DWORD(WINAPI*)()>("CommDlgExtendedError");
  return !error || error() ? kFileFailed : kFileCancelled;
}

}  // namespace

FileResult OpenSettingsFile(HWND owner) {
  char path[kOpenBufferSize] = {};
  currentFilePath.copy(path, kMaxPathLength);
  OPENFILENAMEA request =
      DialogRequest(owner, path, kOpenBufferSize, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
  if (!showOpenDialog(&request)) return NoName();
  return OpenSettingsPath(path) ? kFileDone : kFileFailed;
}

FileResult SaveSettingsFile(HWND owner) {
  if (currentFilePath.empty()) return SaveSettingsFileAs(owner);
  return WriteSettingsFile(currentFilePath.c_str(), settingsImage) ? kFileDone : kFileFailed;
}

FileResult SaveSettingsFileAs(HWND owner) {
  char path[kSaveAsBufferSize] = {};
  OPENFILENAMEA request = DialogRequest(owner, path, kSaveAsBufferSize,
                                        OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY);
  request.lpstrDefExt = kSettingsSuffix + 1;
  if (!showSaveDialog(&request)) return NoName();
  return SaveSettingsAsPath(path) ? kFileDone : kFileFailed;
}
