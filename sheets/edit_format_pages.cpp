// "Applicable Conditions", "Field Settings" and "Transmission Sequence".
#include "sheets/edit_format_pages.h"

#include <array>
#include <string>

#include "resources/resource_ids.h"
#include "ui/dialog_items.h"

namespace {

constexpr AboveRange kKeep = AboveRange::KeepStored;
constexpr int kFields = field::kFieldRecordCount;

// One check box per code type, then the numbers and the matching string.
constexpr auto kApplicable = [] {
  std::array<Binding, kCodeTypeCount + 4> rows{};
  for (int t = 0; t < kCodeTypeCount; ++t)
    rows[t] = Check(IDC_CODE_TYPE_FIRST + t, field::codeTypes(static_cast<CodeType>(t)));
  rows[kCodeTypeCount] = Number(IDC_MIN_LENGTH, field::minLength, IDC_MIN_LENGTH_SPIN, 0, kKeep);
  rows[kCodeTypeCount + 1] =
      Number(IDC_MAX_LENGTH, field::maxLength, IDC_MAX_LENGTH_SPIN, 0, kKeep);
  rows[kCodeTypeCount + 2] =
      Number(IDC_MATCH_POSITION, field::matchPosition, IDC_MATCH_POSITION_SPIN, 0, kKeep);
  rows[kCodeTypeCount + 3] = KeyField(IDC_MATCH_STRING, field::matchString);
  return rows;
}();

// The number of fields, each field's length, include bit and terminating
// string, and the additional fields; out-of-range numbers keep the record's.
constexpr auto kFieldSettings = [] {
  std::array<Binding, 1 + 4 * kFields> rows{};
  rows[0] = Number(IDC_FIELD_COUNT, field::fieldCount, IDC_FIELD_COUNT_SPIN, kFields, kKeep);
  for (int n = 1; n <= kFields; ++n) {
    rows[n] = Number(IDC_FIELD_LENGTH_FIRST + n - 1, field::fieldLength(n),
                     IDC_FIELD_LENGTH_SPIN_FIRST + n - 1, 0, kKeep);
    rows[kFields + n] = Check(IDC_INCLUDE_FIRST + n - 1, field::includeTerminator(n));
    rows[2 * kFields + n] = KeyField(IDC_TERMINATOR_FIRST + n - 1, field::terminator(n));
    rows[3 * kFields + n] = KeyField(IDC_ADDITIONAL_FIRST + n - 1, field::additionalField(n));
  }
  return rows;
}();

// Division by terminating strings shows include boxes and strings, division
// by length the lengths.
void ShowDivision(HWND page, bool byLength) {
  CheckRadioButton(page, IDC_BY_TERMINATOR, IDC_BY_LENGTH,
                   byLength ? IDC_BY_LENGTH : IDC_BY_TERMINATOR);
  SetItemText(page, IDC_FIELD_GROUP, byLength ? "Field length" : "Field terminating string");
  for (int i = 0; i < kFields; ++i) {
    ShowItem(page, IDC_INCLUDE_FIRST + i, !byLength);
    ShowItem(page, IDC_TERMINATOR_FIRST + i, !byLength);
    ShowItem(page, IDC_FIELD_LENGTH_FIRST + i, byLength);
    ShowItem(page, IDC_FIELD_LENGTH_SPIN_FIRST + i, byLength);
  }
}

// Fields beyond the number of fields are disabled; a number above five changes nothing.
void EnableFields(HWND page, unsigned count) {
  if (count > kFields) return;
  for (int i = 0; i < kFields; ++i)
    for (const int first : {IDC_INCLUDE_FIRST, IDC_TERMINATOR_FIRST, IDC_FIELD_LENGTH_FIRST})
      EnableItem(page, first + i, i < static_cast<int>(count));
}

INT_PTR FieldSettingsProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                          BoundDialog& bound) {
  switch (message) {
    case WM_INITDIALOG:
      ShowDivision(page, GetBound(bound.target, field::fieldLength(1)) != 0);
      EnableFields(page, GetBound(bound.target, field::fieldCount));
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_BY_TERMINATOR || LOWORD(wParam) == IDC_BY_LENGTH)
        ShowDivision(page, LOWORD(wParam) == IDC_BY_LENGTH);
      if (LOWORD(wParam) == IDC_FIELD_COUNT && HIWORD(wParam) == EN_CHANGE)
        EnableFields(page, ReadNumberText(ItemText(page, IDC_FIELD_COUNT)).value_or(0));
      break;
    case WM_NOTIFY:
      // Fields divided by terminating strings have no lengths.
      if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY &&
          IsChecked(page, IDC_BY_TERMINATOR))
        for (int n = 1; n <= kFields; ++n) SetBound(bound.target, field::fieldLength(n), 0);
      break;
  }
  return 0;
}

std::span<uint8_t> SequenceOf(BoundDialog& bound) {
  return bound.target.subspan(field::sequence.offset, field::sequence.capacity);
}

// The sequence display: a white box with a grey line above and left, the
// items' tokens in grey.
LRESULT CALLBACK SequenceProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto own = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_USERDATA));
  if (message != WM_PAINT) return CallWindowProcA(own, box, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(box, &paint);
  RECT r;
  GetClientRect(box, &r);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, 1, 1, r.right, r.bottom);
  HPEN grey = CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  HGDIOBJ old = SelectObject(dc, grey);
  MoveToEx(dc, 0, r.bottom - 1, nullptr);
  LineTo(dc, 0, 0);
  LineTo(dc, r.right, 0);
  DeleteObject(SelectObject(dc, old));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(128, 128, 128));
  SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(box, WM_GETFONT, 0, 0)));
  char text[64] = {};
  GetWindowTextA(box, text, sizeof text);
  r.left += 5;
  DrawTextA(dc, text, -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  EndPaint(box, &paint);
  return 0;
}

void ShowSequence(HWND page, const std::vector<uint8_t>& items) {
  SetItemText(page, IDC_SEQUENCE, SequenceText(items).c_str());
  InvalidateRect(Item(page, IDC_SEQUENCE), nullptr, TRUE);
}

// The page keeps the items in the dialog's own state; OK packs them back.
INT_PTR TransmissionProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam,
                         BoundDialog& bound) {
  std::vector<uint8_t>& items = bound.own;
  const int id = LOWORD(wParam);
  switch (message) {
    case WM_INITDIALOG: {
      HWND box = Item(page, IDC_SEQUENCE);
      SetWindowLongPtrA(box, GWLP_USERDATA, GetWindowLongPtrA(box, GWLP_WNDPROC));
      SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SequenceProc));
      items = SequenceItems(SequenceOf(bound));
      ShowSequence(page, items);
      break;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      if (id == IDC_SEQUENCE_CLEAR) items.clear();
      if (id >= IDC_SEQUENCE_ITEM_FIRST && id < IDC_SEQUENCE_ITEM_FIRST + kSequenceItemLimit) {
        if (static_cast<int>(items.size()) == kSequenceItemCount) {
          ShowError(GetActiveWindow(), "Too many fields !!!");
          break;
        }
        items.push_back(static_cast<uint8_t>(id - IDC_SEQUENCE_ITEM_FIRST + 1));
      }
      ShowSequence(page, items);
      break;
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY)
        StoreSequenceItems(SequenceOf(bound), items);
      break;
  }
  return 0;
}

}  // namespace

const DialogTable kApplicablePage{kApplicableDialog, kApplicable};
const DialogTable kFieldSettingsPage{kFieldSettingsDialog, kFieldSettings, FieldSettingsProc};
const DialogTable kTransmissionPage{kTransmissionDialog, {}, TransmissionProc};

namespace {
const DialogTable* const kPages[] = {&kApplicablePage, &kFieldSettingsPage, &kTransmissionPage};
}
const std::span<const DialogTable* const> kEditFormatPages{kPages};
