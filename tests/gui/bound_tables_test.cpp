// Every binding table walked through its real dialog: on an image of 0xAA
// bytes OK at once changes nothing but the documented write-backs, a change
// to one row changes only that row's bits, Cancel writes nothing.
#include <algorithm>
#include <random>

#include "link/port_settings.h"
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
  // Bytes the table's own behaviour writes: byte 0 of the interface page,
  // the sequence of the transmission page.
  uint8_t ownOffset = 0;
  uint8_t ownSize = 0;
};

int Count(HWND dialog, int list) {
  return static_cast<int>(SendDlgItemMessageA(dialog, list, CB_GETCOUNT, 0, 0));
}

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
      const int selected = Selection(dialog, b.control);
      SelectEntry(dialog, b.control, (selected + 1) % Count(dialog, b.control));
      return Count(dialog, b.control) > 1 || selected < 0;
    }
    case BindKind::Number:
      TypeText(dialog, b.control, ItemText(dialog, b.control) == "1" ? "2" : "1");
      return true;
    case BindKind::Radio: {
      int checked = -1;
      for (int i = 0; i < b.partner; ++i)
        if (IsChecked(dialog, b.control + i)) checked = i;
      Click(dialog, b.control + (checked + 1) % b.partner);
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

// The bits a row owns, added to `owned`.
void MarkOwned(const Binding& b, Bytes& owned) {
  const BoundField f = b.field;
  if (b.kind == BindKind::KeyField) {
    for (int i = 0; i < f.capacity; ++i) owned[f.offset + i] = 0xFF;
  } else if (b.kind == BindKind::LengthPair) {
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

TEST_P(EveryTable, ChangesOnlyTheBitsOfEachRowAndNothingOnCancel) {
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

  target = filled;
  OpenTable(
      *c.table, target, c.page,
      [&](HWND dialog) {
        for (const Binding& b : c.table->rows) Perturb(dialog, b);
      },
      false);
  EXPECT_EQ(target, filled);
}

// Any image opens safely: OK changes only bits the table owns, Cancel nothing.
TEST_P(EveryTable, OpensRandomImagesSafely) {
  const TableCase& c = GetParam();
  Bytes owned(c.size);
  for (const Binding& b : c.table->rows) MarkOwned(b, owned);
  std::fill_n(owned.begin() + c.ownOffset, c.ownSize, 0xFF);
  std::mt19937 random(static_cast<unsigned>(c.size * 7 + c.table->rows.size()));
  for (int i = 0; i < 12; ++i) {
    Bytes image(c.size);
    for (uint8_t& byte : image) byte = static_cast<uint8_t>(random());
    Bytes target = image;
    const bool ok = i % 2 == 0;
    OpenTable(
        *c.table, target, c.page, [](HWND) {}, ok);
    ExpectOnly(image, target, ok ? owned : Bytes(c.size));
  }
}

TableCase Page(const DialogTable& table, size_t size = kImageSize) {
  return {&table, size, true};
}
TableCase Dialog(const DialogTable& table) {
  return {&table, kImageSize, false};
}

INSTANTIATE_TEST_SUITE_P(
    Tables, EveryTable,
    ::testing::Values(Page(kScannerPage), TableCase{&kInterfacePage, kImageSize, true, 0, 1},
                      Page(kSymbologyPage), Page(kCodeLengthPage), Page(kCodeIdPage),
                      Page(kEditPage), Page(kApplicablePage, kEditFormatSize),
                      Page(kFieldSettingsPage, kEditFormatSize),
                      TableCase{&kTransmissionPage, kEditFormatSize, true, 45, 6},
                      TableCase{&kComPortTable, sizeof(PortSettings), false}, Dialog(kCode39Params),
                      Dialog(kItalianPharmaParams), Dialog(kFrenchPharmaParams),
                      Dialog(kIndustrial25Params), Dialog(kInterleave25Params),
                      Dialog(kMatrix25Params), Dialog(kCodabarParams), Dialog(kUpceParams),
                      Dialog(kEan8Params), Dialog(kEan13Params), Dialog(kUpcaParams),
                      Dialog(kMsiParams), Dialog(kPlesseyParams), Dialog(kEan128Params)),
    [](const auto& each) { return std::string(each.param.table->dialog); });

}  // namespace
