// The page protocol shared by every page: controls bound to image fields by a
// table, loaded at initialisation and written back on OK.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string_view>

#include "settings/settings_image.h"

enum class ControlKind { List, Check, Number };

// One control of a page and the image field it shows. A list stores the index
// of its entry, a check box one bit, a number edit the field's value.
struct ControlBinding {
  ControlKind kind;
  int control;
  ImageField field;
  std::span<const char* const> entries = {};  // a list's entries, by stored value
  int upDown = 0;                             // a number edit's up-down control
};

// The value of a number edit's text: an unsigned decimal number after optional
// leading spaces, nothing else (so "12a" is no number). Numbers too large for
// `unsigned` read as its largest value.
std::optional<unsigned> ReadNumberText(std::string_view text);

// Initialisation: fills and selects the lists, sets the up-down ranges, the
// number edits and the check boxes, in table order.
void LoadControls(HWND page, std::span<const ControlBinding> bindings);

// Apply: writes every bound control into the image in table order. A list
// left without a selection keeps the stored value; a number above what its
// field holds stores the field's largest value; an empty edit stores 0.
void StoreControls(HWND page, std::span<const ControlBinding> bindings);

// Commands: flips a clicked check box and keeps number edits numeric (text
// that is neither empty nor a number becomes "0").
void HandleBoundCommand(HWND page, std::span<const ControlBinding> bindings, WPARAM wParam);

// Notifications: PSN_APPLY stores the controls, PSN_QUERYCANCEL writes nothing
// and allows cancelling. Returns the dialog procedure's result.
INT_PTR HandlePageNotify(HWND page, std::span<const ControlBinding> bindings, LPARAM lParam);
