// Open, Save and Save As of settings files through the standard file dialogs.
#pragma once

#include <windows.h>
#include <commdlg.h>

// What a file operation came to. The shell tells the operator about
// kFileFailed; a cancelled dialog needs no message.
enum FileResult : int { kFileCancelled = -1, kFileFailed = 0, kFileDone = 1 };

// The calls that show the file dialogs (GetOpenFileNameA, GetSaveFileNameA of
// the common dialogs, loaded when first needed); the GUI tests put their own
// in place to answer without a dialog.
using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);
extern FileDialogFunction showOpenDialog;
extern FileDialogFunction showSaveDialog;

// Asks for an existing file and reads it into the image; on kFileFailed
// neither the image nor currentFilePath changed.
FileResult OpenSettingsFile(HWND owner);

// Writes the image to currentFilePath, or asks for a name when there is none.
FileResult SaveSettingsFile(HWND owner);

// Asks for a new name, forces the ".qrs" suffix, makes it currentFilePath and
// writes the image there. A name too long for currentFilePath is kFileFailed.
FileResult SaveSettingsFileAs(HWND owner);
