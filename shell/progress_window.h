// The transfer's progress window "ProgressDlg": a text and a bar, one window
// per attempt; and the search's "ProbeProgressDlg", which has Cancel too.
#pragma once

#include <windows.h>

#include "link/probe.h"
#include "link/transfer.h"

// The progress callbacks that show a transfer attempt in its own modeless window.
TransferProgress ProgressWindowCallbacks();

// The open progress window, or null between attempts (for tests).
extern HWND progressWindow;

// A search's progress window over `owner`, made when the first setting is
// tried: the setting being tried, a bar over the order, and Cancel, which
// stops the search before the next setting. `owner` is disabled meanwhile.
struct ProbeWindow {
  HWND owner = nullptr;
  HWND window = nullptr;
  HWND bar = nullptr;
  bool cancelled = false;
};
ProbeProgress ProbeWindowProgress(ProbeWindow& window);
void CloseProbeWindow(ProbeWindow& window);
