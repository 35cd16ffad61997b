// The transfer's progress window "ProgressDlg": a text and a bar, one window per attempt.
#pragma once

#include <windows.h>

#include "link/transfer.h"

// The progress callbacks that show a transfer attempt in its own modeless window.
TransferProgress ProgressWindowCallbacks();

// The open progress window, or null between attempts (for tests).
extern HWND progressWindow;
