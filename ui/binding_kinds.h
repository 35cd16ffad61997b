// Inside the binding engine: the rows of an open dialog at work, for the
// procedures that drive them and for behaviour that extends a kind.
#pragma once

#include "ui/binding.h"

// One row of an open dialog: its control, its state and its target.
struct Row {
  HWND dialog;
  const Binding& b;
  RowState& state;
  std::span<uint8_t> target;
};

// Initialisation: every row in table order, from the target.
void LoadRows(HWND dialog, BoundDialog& bound);
// OK: every row into the target, in table order.
void StoreRows(HWND dialog, BoundDialog& bound);
// WM_COMMAND: the kinds' own reactions (flipping check boxes, keeping
// numbers numeric, radio groups, length modes).
void RowCommand(HWND dialog, BoundDialog& bound, WPARAM wParam);
// Puts the rendering of a key field's working copy into its edit.
void ShowKeyField(const Row& row);
