// The report view: the "Client" window and its rich-edit control holding the report.
#pragma once

#include <windows.h>

inline constexpr const char* kClientClass = "Client";

// The rich-edit control that shows the report; null until the view exists.
extern HWND reportEdit;

LRESULT CALLBACK ClientWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the view's text by the report of the current image and repaints it.
void RebuildReport();
