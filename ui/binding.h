// Controls bound to fields of a record by tables: one row per control, the
// kinds of control, and the dialogs, pages and sheets that run such tables.
//
// A table binds to a target passed in at run time (the settings image, one
// editing format's record in it, the port settings): its bytes. Pages
// load their controls when created, store them on OK in table order and
// write nothing on Cancel.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "settings/settings_image.h"
#include "settings/value_texts.h"

enum class BindKind : uint8_t {
  Check,       // one bit, 1 when checked; a click flips it
  Summary,     // checked while any bit under the mask is set; unchecked clears them all
  List,        // drop-down list: entry index, or through a ListEncoding
  Number,      // decimal edit, optionally with an up-down
  Radio,       // buttons control .. control + count - 1: the position of the checked one
  KeyField,    // read-only edit showing a key sequence of fixed capacity
  LengthPair,  // a length qualification: mode buttons, two labels, two number boxes
  Opens,       // a button that runs another table's dialog on the same target
  Disabled,    // shown for other scanner models: disabled, bound to nothing
};

// Where a row's value lives in its target: a bit field (offset, mask), a key
// sequence (offset, capacity) or a length qualification (offset, layout).
struct BoundField {
  uint8_t offset = 0;
  uint8_t mask = 0;
  uint8_t capacity = 0;
  LengthLayout layout = LengthLayout::A;

  constexpr BoundField() = default;
  template <class Record>
  constexpr BoundField(FieldOf<Record> f) : offset(f.offset), mask(f.mask) {}
  template <class Record>
  constexpr BoundField(KeyFieldOf<Record> f) : offset(f.offset), capacity(f.capacity) {}
  constexpr BoundField(LengthQualificationField f) : offset(f.offset), layout(f.layout) {}
};

// What a number edit does on OK with a number above its range.
enum class AboveRange : uint8_t { StoreLargest, KeepStored };

struct DialogTable;

struct Binding {
  int control = 0;
  BindKind kind = BindKind::Disabled;
  BoundField field;
  ValueTexts entries = {};                 // List: the entry texts
  const ListEncoding* encoding = nullptr;  // List: entries that store other numbers
  int partner = 0;       // Check, Summary: a button enabled while checked; Number: its up-down;
                         // Radio: the button count
  unsigned largest = 0;  // Number: the range's top, 0 for the field's
  AboveRange above = AboveRange::StoreLargest;
  const DialogTable* opens = nullptr;  // Opens
};

// The row makers, one per kind.
constexpr Binding MakeBinding(int control, BindKind kind, BoundField field = {},
                              ValueTexts entries = {}, const ListEncoding* encoding = nullptr,
                              int partner = 0, unsigned largest = 0,
                              AboveRange above = AboveRange::StoreLargest,
                              const DialogTable* opens = nullptr) {
  return {control, kind, field, entries, encoding, partner, largest, above, opens};
}
constexpr Binding Check(int control, BoundField field, int companion = 0) {
  return MakeBinding(control, BindKind::Check, field, {}, nullptr, companion);
}
constexpr Binding Summary(int control, BoundField field, int companion = 0) {
  return MakeBinding(control, BindKind::Summary, field, {}, nullptr, companion);
}
constexpr Binding List(int control, BoundField field, ValueTexts entries,
                       const ListEncoding* encoding = nullptr) {
  return MakeBinding(control, BindKind::List, field, entries, encoding);
}
constexpr Binding Number(int control, BoundField field, int upDown = 0, unsigned largest = 0,
                         AboveRange above = AboveRange::StoreLargest) {
  return MakeBinding(control, BindKind::Number, field, {}, nullptr, upDown, largest, above);
}
constexpr Binding Radio(int firstButton, int count, BoundField field) {
  return MakeBinding(firstButton, BindKind::Radio, field, {}, nullptr, count);
}
constexpr Binding KeyField(int edit, BoundField field) {
  return MakeBinding(edit, BindKind::KeyField, field);
}
// `fixedButton` is "Fixed Length"; "Max / Min Length" follows it.
constexpr Binding LengthPair(int fixedButton, LengthQualificationField field) {
  return MakeBinding(fixedButton, BindKind::LengthPair, field);
}
constexpr Binding Opens(int button, const DialogTable& table) {
  return MakeBinding(button, BindKind::Opens, {}, {}, nullptr, 0, 0, AboveRange::StoreLargest,
                     &table);
}
constexpr Binding Disabled(int control) {
  return MakeBinding(control, BindKind::Disabled);
}

// What a row keeps while its dialog is open.
struct RowState {
  std::array<uint8_t, 5> keys{};  // KeyField: the working copy and a closing zero
  uint8_t capacity = 0;
  WNDPROC editProc = nullptr;  // the edit's own procedure
  bool editing = false;        // the key grid editor is open on it
  bool rangeMode = false;      // LengthPair
  unsigned first = 0;
  unsigned second = 0;
};

struct BoundDialog;
// A dialog's behaviour of its own, called after the engine on every message
// with the same arguments; its result is the procedure's unless it is 0.
using OwnProcedure = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM, BoundDialog&);

struct DialogTable {
  const char* dialog;  // the template's name
  std::span<const Binding> rows;
  OwnProcedure own = nullptr;
};

// A table at work on its target while its dialog is open.
struct BoundDialog {
  const DialogTable* table = nullptr;
  std::span<uint8_t> target;
  std::vector<RowState> rows;
  std::vector<uint8_t> own;  // state of the dialog's own behaviour
  bool applied = false;      // a page: OK reached it
};

// A field's value in a target, and writing it there (read-modify-write), for
// the behaviour of a dialog's own.
unsigned GetBound(std::span<const uint8_t> target, BoundField field);
void SetBound(std::span<uint8_t> target, BoundField field, unsigned value);

// Stores every row of an open dialog as OK would, but into `target`, another
// record of the same kind: for behaviour that uses choices not yet confirmed.
void StoreRowsInto(HWND dialog, BoundDialog bound, std::span<uint8_t> target);

// Gives key field `control` of an open dialog a new working copy and shows it.
void SetKeyField(HWND dialog, BoundDialog& bound, int control, std::span<const uint8_t> keys);

// The value of a number edit's text: an unsigned decimal number after optional
// leading spaces, nothing else (so "12a" is no number). Numbers too large for
// `unsigned` read as its largest value.
std::optional<unsigned> ReadNumberText(std::string_view text);

// Runs a table's dialog modally over `owner`. OK stores every row into
// `target` and returns 1; Cancel, Esc and the close box return 0 and write nothing.
int RunBoundDialog(HWND owner, const DialogTable& table, std::span<uint8_t> target);

// Runs a property sheet without an Apply button, one page per table, each
// page bound to `target`, starting on the first. Returns whether OK closed it.
bool RunBoundSheet(HWND parent, const char* caption, std::span<const DialogTable* const> pages,
                   std::span<uint8_t> target);
