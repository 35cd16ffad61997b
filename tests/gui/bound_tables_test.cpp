// Every binding table walked through its real dialog: on an image of zeros
// every row changed once gives bytes written out from the byte map, or with
// Cancel none; on an image of 0xAA bytes OK at once changes nothing but the
// documented write-backs, a change to one row changes only that row's bits.
#include "link/port_settings.h"
#include "resources/resource_ids.h"
#include "sheets/code_id_page.h"
#include "sheets/code_length_page.h"
#include "sheets/edit_format_pages.h"
#include "sheets/edit_page.h"
#include "sheets/interface_page.h"
#include "sheets/scanner_page.h"
#include "sheets/symbology_page.h"
#include "sheets/symbology_params.h"
#include "shell/com_port_dialog.h"
#include "tests/gui/gui_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct TableCase {
  const DialogTable* table;  // named by its template
  size_t size;
  bool page;  // run as the only page of a sheet, else as a modal dialog
  // On zeros, after every row's control is changed once (lists to their last
  // entry, numbers to 1, key fields to [A]) and then `also`: the bytes as
  // Patch writes them, by hand from the byte map.
  const char* changed;
  void (*also)(HWND) = nullptr;  // work for the table's own behaviour
};

// Changes a row's control as the operator would; returns whether that must
// change the target.
bool Perturb(HWND dialog, const Binding& b) {
  switch (b.kind) {
    case BindKind::Check:
      Click(dialog, b.control);
      return true;
    case BindKind::Summary: {  // only unchecking writes
      const bool wasChecked = IsChecked(dialog, b.control);
      Click(dialog, b.control);
      return wasChecked;
    }
    case BindKind::List: {
      const int selected = Selection(dialog, b.control),
                last = static_cast<int>(SendItem(dialog, b.control, CB_GETCOUNT)) - 1;
      SelectEntry(dialog, b.control, selected == last ? 0 : last);
      return last > 0 || selected < 0;
    }
    case BindKind::Number:
      TypeText(dialog, b.control, ItemText(dialog, b.control) == "1" ? "2" : "1");
      return true;
    case BindKind::Radio: {
      int checked = -1;
      for (int i = 0; i < b.partner; ++i)
        if (IsChecked(dialog, b.control + i)) checked = i;
      Click(dialog, b.control + (checked == b.partner - 1 ? 0 : b.partner - 1));
      return true;
    }
    case BindKind::LengthPair:
      Click(dialog, IsChecked(dialog, b.control) ? b.control + 1 : b.control);
      return true;
    case BindKind::Disabled:
      EXPECT_FALSE(Enabled(dialog, b.control)) << b.control;
      return false;
    default:  // key fields change through the key grid editor, buttons open dialogs
      return false;
  }
}

// The bits a row owns, added to `owned`; the walker leaves key fields alone.
void MarkOwned(const Binding& b, Bytes& owned) {
  const BoundField f = b.field;
  if (b.kind == BindKind::LengthPair) {
    const LengthParts parts = PartsOf({f.offset, f.layout});
    for (const ImageField part : {parts.mode, parts.first, parts.second})
      owned[part.offset] |= part.mask;
  } else if (b.kind != BindKind::Disabled && b.kind != BindKind::Opens) {
    owned[f.offset] |= f.mask;
  }
}

// What OK may rewrite unasked: length qualifications are held to
// 1 <= second <= first, and an encoded list stores its entry's own value.
Bytes WriteBacks(const DialogTable& table, size_t size) {
  Bytes allowed(size);
  for (const Binding& b : table.rows)
    if (b.kind == BindKind::LengthPair || b.encoding) MarkOwned(b, allowed);
  return allowed;
}

void ExpectOnly(const Bytes& before, const Bytes& after, const Bytes& allowed) {
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ((before[i] ^ after[i]) & ~allowed[i], 0) << "byte " << i;
}

class EveryTable : public GuiTest, public ::testing::WithParamInterface<TableCase> {};

TEST_P(EveryTable, ChangesOnlyTheBitsOfEachRow) {
  const TableCase& c = GetParam();
  const Bytes filled(c.size, 0xAA);
  const Bytes writeBacks = WriteBacks(*c.table, c.size);
  Bytes target = filled;
  OpenTable(*c.table, target, c.page, [](HWND) {});
  ExpectOnly(filled, target, writeBacks);

  for (const Binding& b : c.table->rows) {
    SCOPED_TRACE(b.control);
    target = filled;
    bool changes = false;
    OpenTable(*c.table, target, c.page, [&](HWND dialog) { changes = Perturb(dialog, b); });
    Bytes own(c.size), allowed = writeBacks;
    MarkOwned(b, own);
    MarkOwned(b, allowed);
    ExpectOnly(filled, target, allowed);
    bool changed = false;
    for (size_t i = 0; i < c.size; ++i) changed |= ((filled[i] ^ target[i]) & own[i]) != 0;
    EXPECT_EQ(changed, changes);
  }
}

// Cancel after the same changes writes nothing.
TEST_P(EveryTable, EveryRowChangedOnceOnZerosGivesTheseBytes) {
  const TableCase& c = GetParam();
  Bytes target(c.size), expected(c.size);
  Patch(expected.data(), c.changed);
  for (const bool ok : {false, true}) {
    OpenTable(
        *c.table, target, c.page,
        [&](HWND dialog) {
          for (const Binding& b : c.table->rows) {
            if (b.kind == BindKind::KeyField) {
              Expect({[](HWND editor) {
                ClickCell(editor, 9, 'A');
                Press(IDOK)(editor);
              }});
              SendMessageA(GetDlgItem(dialog, b.control), WM_LBUTTONDOWN, MK_LBUTTON, 0);
            }
            Perturb(dialog, b);
          }
          if (c.also) c.also(dialog);
        },
        ok);
    EXPECT_EQ(target, ok ? expected : Bytes(c.size));
  }
}

TableCase Page(const DialogTable& table, const char* changed, size_t size = kImageSize) {
  return {&table, size, true, changed};
}
TableCase Dialog(const DialogTable& table, const char* changed) {
  return {&table, kImageSize, false, changed};
}

const char* const kFifteenCodeIds =
    "35: 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41 00 41";
const char* const kFiveFields =
    "10: 81 41 00 81 41 00 81 41 00 81 41 00 81 41 00 41 00 00 00 41 00 00 00 41 00 00 00 41 00 "
    "00 00 41 00 00 00 51: 01";

INSTANTIATE_TEST_SUITE_P(
    Tables, EveryTable,
    ::testing::Values(
        Page(kScannerPage, "4: 7F 47 7: 03 01 67: 20"),
        Page(kInterfacePage, "1: BF 01 F7 5: 08 FF 08 67: 0B"),
        Page(kSymbologyPage, "9: FF 03 C0 27: 41 00 00 00 41"), Page(kCodeLengthPage, "12: FF FF"),
        Page(kCodeIdPage, kFifteenCodeIds), Page(kEditPage, "7: F0 68: 01 01 01 01 01 01"),
        Page(kApplicablePage, "0: FF FF FF 01 01 41 00 00 00 01", kEditFormatSize),
        // Division by length keeps the field lengths; the sequence "[A5]".
        TableCase{&kFieldSettingsPage, kEditFormatSize, true, kFiveFields,
                  [](HWND page) { Click(page, IDC_BY_LENGTH); }},
        TableCase{&kTransmissionPage, kEditFormatSize, true, "45: B0",
                  [](HWND page) { Click(page, IDC_SEQUENCE_ITEM_FIRST + 10); }},
        // COM6, 1200, 8 bits, odd parity, Xon/Xoff: a byte per row.
        TableCase{&kComPortTable, sizeof(PortSettings), false, "05 05 01 02 02 01"},
        Dialog(kCode39Params, "14: 0F"), Dialog(kItalianPharmaParams, "14: 10"),
        Dialog(kFrenchPharmaParams, "14: 20"), Dialog(kIndustrial25Params, "14: 80 30 19: 03 01"),
        Dialog(kInterleave25Params, "15: C2 21: 81 01"),
        Dialog(kMatrix25Params, "15: 08 03 23: 03 01"), Dialog(kCodabarParams, "16: 3C"),
        Dialog(kUpceParams, "10: 1C 17: 10 A2"), Dialog(kEan8Params, "10: E0 17: 40 08"),
        Dialog(kEan13Params, "11: 07 17: 80 11"), Dialog(kUpcaParams, "11: 38 17: 20 44"),
        Dialog(kMsiParams, "17: 0A 25: 03 01"), Dialog(kPlesseyParams, "16: C0"),
        Dialog(kEan128Params, "65: 41")),
    [](const auto& each) { return std::string(each.param.table->dialog); });

}  // namespace
