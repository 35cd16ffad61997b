// The "Edit Format" page: character substitution, "Inclusive", the format
// enables, and the "Configure Editing Format" sheet of each format.
#include "sheets/edit_page.h"

#include "resources/resource_ids.h"
#include "sheets/edit_format_pages.h"
#include "ui/dialog_items.h"

namespace {

constexpr int kRows = 3;  // substitutions and formats the image holds; the template shows six
constexpr AboveRange kKeep = AboveRange::KeepStored;

const Binding kTable[] = {
    Number(SUBSTITUTION_FROM(1), field::fromCode(1), 0, 0, kKeep),
    Number(SUBSTITUTION_TO(1), field::toCode(1), 0, 0, kKeep),
    Number(SUBSTITUTION_FROM(2), field::fromCode(2), 0, 0, kKeep),
    Number(SUBSTITUTION_TO(2), field::toCode(2), 0, 0, kKeep),
    Number(SUBSTITUTION_FROM(3), field::fromCode(3), 0, 0, kKeep),
    Number(SUBSTITUTION_TO(3), field::toCode(3), 0, 0, kKeep),
    Check(IDC_INCLUSIVE, field::editInclusive),
    Check(IDC_FORMAT_ON_FIRST, field::editFormatOn(1)),
    Check(IDC_FORMAT_ON_FIRST + 1, field::editFormatOn(2)),
    Check(IDC_FORMAT_ON_FIRST + 2, field::editFormatOn(3)),
    // Rows and formats 4 to 6 have no place in the image.
    Disabled(IDC_SUBSTITUTION_LABEL_FIRST + 3),
    Disabled(IDC_SUBSTITUTION_ARROW_FIRST + 3),
    Disabled(SUBSTITUTION_FROM(4)),
    Disabled(SUBSTITUTION_TO(4)),
    Disabled(IDC_SUBSTITUTION_LABEL_FIRST + 4),
    Disabled(IDC_SUBSTITUTION_ARROW_FIRST + 4),
    Disabled(SUBSTITUTION_FROM(5)),
    Disabled(SUBSTITUTION_TO(5)),
    Disabled(IDC_SUBSTITUTION_LABEL_FIRST + 5),
    Disabled(IDC_SUBSTITUTION_ARROW_FIRST + 5),
    Disabled(SUBSTITUTION_FROM(6)),
    Disabled(SUBSTITUTION_TO(6)),
    Disabled(IDC_FORMAT_ON_FIRST + 3),
    Disabled(IDC_FORMAT_CONFIGURE_FIRST + 3),
    Disabled(IDC_FORMAT_ON_FIRST + 4),
    Disabled(IDC_FORMAT_CONFIGURE_FIRST + 4),
    Disabled(IDC_FORMAT_ON_FIRST + 5),
    Disabled(IDC_FORMAT_CONFIGURE_FIRST + 5),
};

// A pair without a first code is no substitution: both edits stay empty, and
// an empty second code reads as none.
void ShowSubstitutions(HWND page, std::span<const uint8_t> target) {
  for (int row = 1; row <= kRows; ++row) {
    const bool from = GetBound(target, field::fromCode(row)) != 0;
    if (!from) SetItemText(page, SUBSTITUTION_FROM(row), "");
    if (!from || GetBound(target, field::toCode(row)) == 0)
      SetItemText(page, SUBSTITUTION_TO(row), "");
  }
}

// A row whose first code is empty or 0 removes its substitution.
void RemoveClearedSubstitutions(HWND page, std::span<uint8_t> target) {
  for (int row = 1; row <= kRows; ++row) {
    if (ReadNumberText(ItemText(page, SUBSTITUTION_FROM(row))).value_or(0) != 0) continue;
    SetBound(target, field::fromCode(row), 0);
    SetBound(target, field::toCode(row), 0);
  }
}

// The sheet's pages are bound to format n's record itself: like any bound
// sheet it writes only at its OK, at once, whatever the outer sheet does
// afterwards, and nothing at its Cancel.
void ConfigureFormat(HWND page, std::span<uint8_t> target, int n) {
  RunBoundSheet(page, "Configure Editing Format", kEditFormatPages,
                target.subspan(EditFormatOffset(n), kEditFormatSize));
}

INT_PTR EditPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam, BoundDialog& bound) {
  switch (message) {
    case WM_INITDIALOG:
      ShowSubstitutions(page, bound.target);
      break;
    case WM_COMMAND: {
      const int format = LOWORD(wParam) - IDC_FORMAT_CONFIGURE_FIRST + 1;
      if (HIWORD(wParam) == BN_CLICKED && format >= 1 && format <= kRows)
        ConfigureFormat(page, bound.target, format);
      break;
    }
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lParam)->code == PSN_APPLY)
        RemoveClearedSubstitutions(page, bound.target);
      break;
  }
  return 0;
}

}  // namespace

const DialogTable kEditPage{kEditDialog, kTable, EditPageProc};
