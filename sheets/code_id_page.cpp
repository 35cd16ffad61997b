// The "Code ID" page: the code identifier of each symbology, the five
// built-in sets and "Clear".
#include "sheets/code_id_page.h"

#include <string_view>

#include "resources/resource_ids.h"

namespace {

constexpr int kField = IDC_CODE_ID_FIRST;

const Binding kRows[] = {
    KeyField(kField + 0, field::codeId(0)),
    KeyField(kField + 1, field::codeId(1)),
    KeyField(kField + 2, field::codeId(2)),
    KeyField(kField + 3, field::codeId(3)),
    KeyField(kField + 4, field::codeId(4)),
    KeyField(kField + 5, field::codeId(5)),
    KeyField(kField + 6, field::codeId(6)),
    KeyField(kField + 7, field::codeId(7)),
    KeyField(kField + 8, field::codeId(8)),
    KeyField(kField + 9, field::codeId(9)),
    KeyField(kField + 10, field::codeId(10)),
    KeyField(kField + 11, field::codeId(11)),
    KeyField(kField + 12, field::codeId(12)),
    KeyField(kField + 13, field::codeId(13)),
    KeyField(kField + 14, field::codeId(14)),
    Disabled(IDC_CODE_ID_PDF417_LABEL),
    Disabled(IDC_CODE_ID_PDF417),
};

constexpr int kSetCount = 5;
// The identifiers of "Set 1" to "Set 5", in the order of the fields: Code 39,
// Italian and French Pharmacode, Industrial, Interleave and Matrix 25,
// Codabar, Code 93, Code 128, UPCE, EAN8, EAN13, UPCA, MSI, Plessey.
constexpr std::string_view kSets[kSetCount][field::kCodeIdCount] = {
    {"A", "A", "A", "C", "D", "E", "F", "I", "H", "S", "P", "M", "J", "V", "W"},
    {"C", "C", "C", "H", "I", "G", "N", "L", "K", "E", "B", "A", "A", "V", "W"},
    {"Y", "Y", "Y", "H", "Z", "G", "X", "L", "k", "C", "B", "A", "A", "D", "E"},
    {"M", "M", "M", "H", "I", "G", "N", "L", "k", "E", "FF", "F", "A", "P", "Q"},
    {"A", "A", "A", "S", "S", "S", "F", "G", "C", "E", "E", "E", "E", "M", "P"},
};

void FillCodeIds(HWND page, BoundDialog& bound, const std::string_view* ids) {
  for (int i = 0; i < field::kCodeIdCount; ++i) {
    const std::string_view id = ids ? ids[i] : std::string_view();
    SetKeyField(page, bound, kField + i, {reinterpret_cast<const uint8_t*>(id.data()), id.size()});
  }
}

INT_PTR CodeIdPageProc(HWND page, UINT message, WPARAM wParam, LPARAM, BoundDialog& bound) {
  if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return 0;
  const int id = LOWORD(wParam);
  if (id >= IDC_CODE_ID_SET_FIRST && id < IDC_CODE_ID_SET_FIRST + kSetCount)
    FillCodeIds(page, bound, kSets[id - IDC_CODE_ID_SET_FIRST]);
  if (id == IDC_CODE_ID_CLEAR) FillCodeIds(page, bound, nullptr);
  return 0;
}

}  // namespace

const DialogTable kCodeIdPage{kCodeIdDialog, kRows, CodeIdPageProc};
