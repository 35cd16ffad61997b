// The kinds of bound control: each one a small load, store and command set.
#include "ui/binding.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>
#include <string>

#include "keycodes/key_code_string.h"
#include "resources/resource_ids.h"
#include "ui/binding_kinds.h"
#include "ui/dialog_items.h"
#include "ui/key_grid_editor.h"

namespace {

// Check box, and a summary over several bits; a companion button is enabled
// while the box is checked.
void ShowChecked(const Row& r, bool on) {
  SetCheck(r.dialog, r.b.control, on);
  if (r.b.partner) EnableItem(r.dialog, r.b.partner, on);
}
void LoadCheck(const Row& r) {
  ShowChecked(r, GetBound(r.target, r.b.field) != 0);
}
void StoreCheck(const Row& r) {
  SetBound(r.target, r.b.field, IsChecked(r.dialog, r.b.control) ? 1 : 0);
}
void StoreSummary(const Row& r) {
  if (!IsChecked(r.dialog, r.b.control)) SetBound(r.target, r.b.field, 0);
}
void CommandCheck(const Row& r, int id, int code) {
  if (id == r.b.control && code == BN_CLICKED) ShowChecked(r, !IsChecked(r.dialog, id));
}

// A button that opens another table's dialog, which writes at its own OK.
void CommandOpens(const Row& r, int id, int code) {
  if (id == r.b.control && code == BN_CLICKED) RunBoundDialog(r.dialog, *r.b.opens, r.target);
}

// Drop-down list. A stored value without an entry leaves the list without a
// selection, and a list without a selection writes nothing: the stored value stays.
void LoadList(const Row& r) {
  for (const char* entry : r.b.entries) AddEntry(r.dialog, r.b.control, entry);
  const unsigned value = GetBound(r.target, r.b.field);
  int entry = -1;
  if (r.b.encoding && value < r.b.encoding->entryOf.size()) entry = r.b.encoding->entryOf[value];
  if (!r.b.encoding && value < r.b.entries.size()) entry = static_cast<int>(value);
  Select(r.dialog, r.b.control, entry);
}
void StoreList(const Row& r) {
  const int entry = Selection(r.dialog, r.b.control);
  if (entry < 0) return;
  SetBound(r.target, r.b.field, r.b.encoding ? r.b.encoding->stored[entry] : entry);
}

// Number edit.
unsigned NumberLargest(const Binding& b) {
  return b.largest ? b.largest : LargestValue(b.field.mask);
}
void LoadNumber(const Row& r) {
  if (r.b.partner)
    SendItem(r.dialog, r.b.partner, UDM_SETRANGE, 0, MAKELPARAM(NumberLargest(r.b), 0));
  SetDlgItemInt(r.dialog, r.b.control, GetBound(r.target, r.b.field), FALSE);
}
void StoreNumber(const Row& r) {
  // An empty edit, or text that is no number, stores 0.
  const unsigned value = ReadNumberText(ItemText(r.dialog, r.b.control)).value_or(0);
  const unsigned largest = NumberLargest(r.b);
  if (value > largest && r.b.above == AboveRange::KeepStored) return;
  SetBound(r.target, r.b.field, std::min(value, largest));
}
// Keeps a number edit numeric: text that is neither empty nor a number becomes `fallback`.
bool KeepNumeric(HWND dialog, int edit, const char* fallback) {
  const std::string text = ItemText(dialog, edit);
  if (text.empty() || ReadNumberText(text)) return false;
  SetItemText(dialog, edit, fallback);
  return true;
}
void CommandNumber(const Row& r, int id, int code) {
  if (id == r.b.control && code == EN_CHANGE) KeepNumeric(r.dialog, id, "0");
}

// Radio group. No checked button writes nothing, as a list without a selection.
int LastButton(const Binding& b) {
  return b.control + b.partner - 1;
}
void LoadRadio(const Row& r) {
  const unsigned value = GetBound(r.target, r.b.field);
  for (int id = r.b.control; id <= LastButton(r.b); ++id)
    SetCheck(r.dialog, id, id - r.b.control == static_cast<int>(value));
}
void StoreRadio(const Row& r) {
  for (int id = r.b.control; id <= LastButton(r.b); ++id)
    if (IsChecked(r.dialog, id)) SetBound(r.target, r.b.field, id - r.b.control);
}
void CommandRadio(const Row& r, int id, int code) {
  if (id >= r.b.control && id <= LastButton(r.b) && code == BN_CLICKED)
    CheckRadioButton(r.dialog, r.b.control, LastButton(r.b), id);
}

// Key field: the working copy holds the field's bytes up to the first zero,
// then zeros; the edit shows its rendering and is never read back. A click
// opens the key grid editor on the working copy; meanwhile the field is blue.
void ShowKeys(HWND edit, std::span<const uint8_t> keys) {
  std::string text;
  RenderKeyCodeString(keys, text, InterfaceMode);
  SetWindowTextA(edit, text.c_str());
}
LRESULT CALLBACK KeyFieldProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  RowState& state = *reinterpret_cast<RowState*>(GetWindowLongPtrA(edit, GWLP_USERDATA));
  if (message == WM_LBUTTONDOWN) {
    SetFocus(edit);
    state.editing = true;
    InvalidateRect(edit, nullptr, TRUE);
    const std::span<uint8_t> keys = std::span<uint8_t>(state.keys).first(state.capacity);
    if (RunKeyGridEditor(edit, keys)) ShowKeys(edit, keys);
    state.editing = false;
    InvalidateRect(edit, nullptr, TRUE);
    return 0;
  }
  if (message == WM_PAINT && state.editing) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(edit, &paint);
    RECT client;
    GetClientRect(edit, &client);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(dc, &client, blue);
    DeleteObject(blue);
    EndPaint(edit, &paint);
    return 0;
  }
  return CallWindowProcA(state.editProc, edit, message, wParam, lParam);
}

std::span<uint8_t> KeyBytes(const Row& r) {
  return r.target.subspan(r.b.field.offset, r.b.field.capacity);
}
void LoadKeyField(const Row& r) {
  const std::span<const uint8_t> field = KeyBytes(r);
  r.state.keys.fill(0);
  const auto end = std::find(field.begin(), field.end(), 0);
  std::copy(field.begin(), end, r.state.keys.begin());
  r.state.capacity = r.b.field.capacity;
  ShowKeyField(r);
  HWND edit = Item(r.dialog, r.b.control);
  SetWindowLongPtrA(edit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&r.state));
  r.state.editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyFieldProc)));
}
void StoreKeyField(const Row& r) {
  std::copy_n(r.state.keys.begin(), r.b.field.capacity, KeyBytes(r).begin());
}

// Length qualification: the dialog keeps mode and lengths while open, the
// boxes correct unreadable text to "127" and "1", and OK applies the limits
// 1 <= second <= first <= 127.
constexpr unsigned kLongest = 127;
void ShowLengthMode(const Row& r) {
  CheckRadioButton(r.dialog, r.b.control, r.b.control + 1, r.b.control + r.state.rangeMode);
  SetItemText(r.dialog, IDC_LENGTH_LABEL_1, r.state.rangeMode ? "Max Length :" : "Fixed Length 1:");
  SetItemText(r.dialog, IDC_LENGTH_LABEL_2, r.state.rangeMode ? "Min Length :" : "Fixed Length 2:");
}
void LoadLengthPair(const Row& r) {
  const LengthParts parts = PartsOf({r.b.field.offset, r.b.field.layout});
  r.state.rangeMode = GetBound(r.target, parts.mode) != 0;
  ShowLengthMode(r);
  // Showing each number raises EN_CHANGE, which reads it back into the state.
  SetDlgItemInt(r.dialog, IDC_LENGTH_1, GetBound(r.target, parts.first), FALSE);
  SetDlgItemInt(r.dialog, IDC_LENGTH_2, GetBound(r.target, parts.second), FALSE);
}
void StoreLengthPair(const Row& r) {
  const LengthParts parts = PartsOf({r.b.field.offset, r.b.field.layout});
  const unsigned first = std::max(r.state.first, 1u);
  const unsigned second = r.state.second > first ? first : std::max(r.state.second, 1u);
  SetBound(r.target, parts.mode, r.state.rangeMode);
  SetBound(r.target, parts.first, first);
  SetBound(r.target, parts.second, second);
}
void CommandLengthPair(const Row& r, int id, int code) {
  if ((id == r.b.control || id == r.b.control + 1) && code == BN_CLICKED) {
    r.state.rangeMode = id != r.b.control;
    ShowLengthMode(r);
  } else if (id == IDC_LENGTH_1 && code == EN_CHANGE) {
    if (KeepNumeric(r.dialog, id, "127")) return;  // the new text comes back here
    const std::optional<unsigned> n = ReadNumberText(ItemText(r.dialog, id));
    r.state.first = n ? std::min(*n, kLongest) : kLongest;
  } else if (id == IDC_LENGTH_2 && code == EN_CHANGE) {
    if (KeepNumeric(r.dialog, id, "1")) return;
    r.state.second = ReadNumberText(ItemText(r.dialog, id)).value_or(1);
  }
}

void LoadDisabled(const Row& r) {
  EnableItem(r.dialog, r.b.control, false);
}
void Nothing(const Row&) {}
void NoCommand(const Row&, int, int) {}

struct KindOps {
  void (*load)(const Row&);
  void (*store)(const Row&);
  void (*command)(const Row&, int id, int code);
};

// Indexed by BindKind.
constexpr KindOps kKinds[] = {
    {LoadCheck, StoreCheck, CommandCheck},
    {LoadCheck, StoreSummary, CommandCheck},
    {LoadList, StoreList, NoCommand},
    {LoadNumber, StoreNumber, CommandNumber},
    {LoadRadio, StoreRadio, CommandRadio},
    {LoadKeyField, StoreKeyField, NoCommand},
    {LoadLengthPair, StoreLengthPair, CommandLengthPair},
    {Nothing, Nothing, CommandOpens},
    {LoadDisabled, Nothing, NoCommand},
};

const KindOps& OpsOf(const Binding& b) {
  return kKinds[static_cast<int>(b.kind)];
}

template <class Act>
void ForEachRow(HWND dialog, BoundDialog& bound, Act act) {
  const std::span<const Binding> rows = bound.table->rows;
  for (size_t i = 0; i < rows.size(); ++i) act(Row{dialog, rows[i], bound.rows[i], bound.target});
}

}  // namespace

unsigned GetBound(std::span<const uint8_t> target, BoundField f) {
  return GetBits(target, f.offset, f.mask);
}

void SetBound(std::span<uint8_t> target, BoundField f, unsigned value) {
  SetBits(target, f.offset, f.mask, value);
}

std::optional<unsigned> ReadNumberText(std::string_view text) {
  const size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return std::nullopt;
  constexpr unsigned kLargest = std::numeric_limits<unsigned>::max();
  unsigned value = 0;
  for (const char c : text.substr(start)) {
    if (c < '0' || c > '9') return std::nullopt;
    const unsigned digit = static_cast<unsigned>(c - '0');
    value = value > (kLargest - digit) / 10 ? kLargest : value * 10 + digit;
  }
  return value;
}

void ShowKeyField(const Row& r) {
  ShowKeys(Item(r.dialog, r.b.control),
           std::span<const uint8_t>(r.state.keys).first(r.b.field.capacity));
}

void SetKeyField(HWND dialog, BoundDialog& bound, int control, std::span<const uint8_t> keys) {
  ForEachRow(dialog, bound, [control, keys](const Row& r) {
    if (r.b.kind != BindKind::KeyField || r.b.control != control) return;
    r.state.keys.fill(0);
    std::copy_n(keys.begin(), std::min<size_t>(keys.size(), r.b.field.capacity),
                r.state.keys.begin());
    ShowKeyField(r);
  });
}

void LoadRows(HWND dialog, BoundDialog& bound) {
  bound.rows.assign(bound.table->rows.size(), RowState{});
  ForEachRow(dialog, bound, [](const Row& r) { OpsOf(r.b).load(r); });
}

void StoreRows(HWND dialog, BoundDialog& bound) {
  ForEachRow(dialog, bound, [](const Row& r) { OpsOf(r.b).store(r); });
}

void StoreRowsInto(HWND dialog, BoundDialog bound, std::span<uint8_t> target) {
  bound.target = target;
  StoreRows(dialog, bound);
}

void RowCommand(HWND dialog, BoundDialog& bound, WPARAM wParam) {
  // Commands that arrive while the rows are being created have no state yet.
  if (bound.rows.size() != bound.table->rows.size()) return;
  ForEachRow(dialog, bound,
             [wParam](const Row& r) { OpsOf(r.b).command(r, LOWORD(wParam), HIWORD(wParam)); });
}
