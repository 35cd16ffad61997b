// Every binding table walked through its real dialog: on an image of 0xAA
// bytes OK at once changes nothing, a change to one row changes only that
// row's bits, Cancel writes nothing; and what the kinds do beyond that.
#include <windows.h>

#include <commctrl.h>

#include "keycodes/key_code_string.h"
#include "link/port_settings.h"
#include "resources/resource_ids.h"
#include "sheets/code_length_page.h"
#include "sheets/interface_page.h"
#include "sheets/scanner_page.h"
#include "shell/com_port_dialog.h"
#include "tests/gui/gui_driver.h"
#include "tests/gui/kinds_dialog.h"
#include "ui/binding.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kCapsLockEntries[] = {"Normal", "Capital Lock", "Shift Lock"};
const Binding kKindRows[] = {
    Check(IDC_KIND_CHECK, field::negativeBarcode),
    List(IDC_KIND_LIST, field::scanningMode, kScanningModeTexts),
    List(IDC_KIND_ENCODED_LIST, field::capsLockType, kCapsLockEntries, &kSkipOneEncoding),
    Number(IDC_KIND_NUMBER, field::scanTimeout, IDC_KIND_SPIN),
    Number(IDC_KIND_SMALL_NUMBER, field::interCharDelay, 0, 100, AboveRange::KeepStored),
    Radio(IDC_KIND_RADIO, 3, field::industrial25StartStop),
    LengthPair(IDC_KIND_FIXED_LENGTH, field::interleave25Length),
    KeyField(IDC_KIND_KEYS, field::prefix),
    KeyField(IDC_KIND_SHORT_KEYS, field::codeId(0)),
    Disabled(IDC_KIND_OTHER_MODEL),
};
}  // namespace

const DialogTable kKindsTable{"KINDS_DLG", kKindRows};

namespace {

struct TableCase {
  const char* name;
  const DialogTable* table;
  size_t size;
  bool page;  // run as the only page of a sheet, else as a modal dialog
};

class BoundTables : public GuiTest {
 protected:
  // Opens the table's dialog on `target`, lets `act` work on it, then closes
  // it with OK or Cancel; returns what the runner returned.
  bool Open(const TableCase& c, Bytes& target, std::function<void(HWND)> act, bool ok) {
    bool result = false;
    if (c.page) {
      Expect(
          {OnSheet([act](HWND sheet) { act(CurrentPage(sheet)); }, ok ? PSBTN_OK : PSBTN_CANCEL)});
      Run([&] { result = RunBoundSheet(window, "Sheet", {&c.table, 1}, target); });
    } else {
      Expect({OnDialog([act, ok](HWND dialog) {
        act(dialog);
        Press(ok ? IDOK : IDCANCEL)(dialog);
      })});
      Run([&] { result = RunBoundDialog(window, *c.table, target) == 1; });
    }
    EXPECT_EQ(result, ok);
    return result;
  }
};

// Changes a row's control as the operator would; false when the kind offers
// nothing to change.
bool Perturb(HWND dialog, const Binding& b) {
  switch (b.kind) {
    case BindKind::Check:
      Click(dialog, b.control);
      return true;
    case BindKind::List: {
      const int count = static_cast<int>(SendDlgItemMessageA(dialog, b.control, CB_GETCOUNT, 0, 0));
      const int selected =
          static_cast<int>(SendDlgItemMessageA(dialog, b.control, CB_GETCURSEL, 0, 0));
      SelectEntry(dialog, b.control, (selected + 1) % count);
      return count > 1 || selected < 0;
    }
    case BindKind::Number:
      TypeText(dialog, b.control, DialogItemText(dialog, b.control) == "1" ? "2" : "1");
      return true;
    case BindKind::Radio: {
      int checked = -1;
      for (int i = 0; i < b.partner; ++i)
        if (IsDlgButtonChecked(dialog, b.control + i)) checked = i;
      Click(dialog, b.control + (checked + 1) % b.partner);
      return true;
    }
    case BindKind::LengthPair:
      Click(dialog, IsDlgButtonChecked(dialog, b.control) ? b.control + 1 : b.control);
      return true;
    case BindKind::Disabled:
      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, b.control))) << b.control;
      return false;
    default:  // a key field changes only through the key grid editor
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
  } else if (b.kind != BindKind::Disabled) {
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

class EveryTable : public BoundTables, public ::testing::WithParamInterface<TableCase> {};

TEST_P(EveryTable, ChangesOnlyTheBitsOfEachRowAndNothingOnCancel) {
  const TableCase& c = GetParam();
  const Bytes filled(c.size, 0xAA);
  const Bytes writeBacks = WriteBacks(*c.table, c.size);
  Bytes target = filled;
  Open(
      c, target, [](HWND) {}, true);
  ExpectOnly(filled, target, writeBacks);

  for (const Binding& b : c.table->rows) {
    SCOPED_TRACE(b.control);
    target = filled;
    bool changes = false;
    Open(
        c, target, [&](HWND dialog) { changes = Perturb(dialog, b); }, true);
    Bytes own(c.size);
    MarkOwned(b, own);
    Bytes allowed = own;
    for (size_t i = 0; i < c.size; ++i) allowed[i] |= writeBacks[i];
    ExpectOnly(filled, target, allowed);
    bool changed = false;
    for (size_t i = 0; i < c.size; ++i) changed |= ((filled[i] ^ target[i]) & own[i]) != 0;
    EXPECT_EQ(changed, changes);
  }

  target = filled;
  Open(
      c, target,
      [&](HWND dialog) {
        for (const Binding& b : c.table->rows) Perturb(dialog, b);
      },
      false);
  EXPECT_EQ(target, filled);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, EveryTable,
    ::testing::Values(TableCase{"ScannerPage", &kScannerPage, kImageSize, true},
                      TableCase{"InterfacePage", &kInterfacePage, kImageSize, true},
                      TableCase{"CodeLengthPage", &kCodeLengthPage, kImageSize, true},
                      TableCase{"ComPort", &kComPortTable, sizeof(PortSettings), false},
                      TableCase{"KindsAsPage", &kKindsTable, kImageSize, true},
                      TableCase{"KindsAsDialog", &kKindsTable, kImageSize, false}),
    [](const auto& each) { return std::string(each.param.name); });

const TableCase kKinds{"Kinds", &kKindsTable, kImageSize, false};

TEST_F(BoundTables, ListsShowStoredValuesWithoutAnEntryAsNoSelection) {
  Bytes image(kImageSize);
  image[1] = 0x02;   // capsLockType 1, which reads as "Capital Lock"
  image[4] = 0xB0;   // scan mode 11: no entry
  image[14] = 0xC0;  // start/stop 3: no button
  Open(
      kKinds, image,
      [](HWND d) {
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_KIND_ENCODED_LIST, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(SendDlgItemMessageA(d, IDC_KIND_LIST, CB_GETCURSEL, 0, 0), CB_ERR);
        for (int i = 0; i < 3; ++i) EXPECT_FALSE(IsDlgButtonChecked(d, IDC_KIND_RADIO + i));
      },
      true);
  EXPECT_EQ(image[1], 0x04);  // stored as entry 1 stores it
  EXPECT_EQ(image[4] & 0xF0, 0xB0);
  EXPECT_EQ(image[14] & 0xC0, 0xC0);

  image[1] = 0;
  Open(
      kKinds, image, [](HWND d) { SelectEntry(d, IDC_KIND_ENCODED_LIST, 2); }, true);
  EXPECT_EQ(image[1], 0x06);  // "Shift Lock" stores 3
}

TEST_F(BoundTables, NumbersKeepToDigitsAndTheirRange) {
  Bytes image(kImageSize);
  image[2] = 50;
  Open(
      kKinds, image,
      [](HWND d) {
        TypeText(d, IDC_KIND_NUMBER, "4x");
        EXPECT_EQ(DialogItemText(d, IDC_KIND_NUMBER), "0");
        SetDlgItemTextA(d, IDC_KIND_NUMBER, "300");
        SetDlgItemTextA(d, IDC_KIND_SMALL_NUMBER, "101");
      },
      true);
  EXPECT_EQ(image[8], 255);  // the largest the byte holds
  EXPECT_EQ(image[2], 50);   // above its range: kept
  Open(
      kKinds, image, [](HWND d) { TypeText(d, IDC_KIND_SMALL_NUMBER, ""); }, true);
  EXPECT_EQ(image[2], 0);
}

TEST_F(BoundTables, KeyFieldShowsItsSequenceAndWritesItBackEndedByZeros) {
  Bytes image(kImageSize);
  const Bytes prefix = {0x41, 0x00, 0x42, 0x43};
  std::copy(prefix.begin(), prefix.end(), image.begin() + 27);
  InterfaceMode = InterfaceKind::Rs232;
  Open(
      kKinds, image, [](HWND d) { EXPECT_EQ(DialogItemText(d, IDC_KIND_KEYS), "[A]"); }, true);
  EXPECT_EQ(Bytes(image.begin() + 27, image.begin() + 32), (Bytes{0x41, 0, 0, 0, 0}));
}

TEST_F(BoundTables, LengthPairFollowsItsModeAndCorrectsItsBoxes) {
  Bytes image(kImageSize);
  image[21] = 0x8D;  // layout B: max/min, maximum 13
  image[22] = 0x06;
  std::string labels;
  Open(
      kKinds, image,
      [&](HWND d) {
        EXPECT_EQ(DialogItemText(d, IDC_LENGTH_1), "13");
        EXPECT_EQ(DialogItemText(d, IDC_LENGTH_2), "6");
        labels = DialogItemText(d, IDC_LENGTH_LABEL_1) + DialogItemText(d, IDC_LENGTH_LABEL_2);
        Click(d, IDC_KIND_FIXED_LENGTH);
        labels += DialogItemText(d, IDC_LENGTH_LABEL_1) + DialogItemText(d, IDC_LENGTH_LABEL_2);
        TypeText(d, IDC_LENGTH_1, "x");
        TypeText(d, IDC_LENGTH_2, "y");
        labels += DialogItemText(d, IDC_LENGTH_1) + "," + DialogItemText(d, IDC_LENGTH_2);
        TypeText(d, IDC_LENGTH_1, "200");
      },
      true);
  EXPECT_EQ(labels, "Max Length :Min Length :Fixed Length 1:Fixed Length 2:127,1");
  EXPECT_EQ(image[21], 0x7F);
  EXPECT_EQ(image[22], 1);

  const struct {
    const char *first, *second;
    uint8_t storedFirst, storedSecond;
  } limits[] = {{"10", "20", 10, 10}, {"0", "0", 1, 1}, {"", "", 127, 1}};
  for (const auto& each : limits) {
    Open(
        kKinds, image,
        [&](HWND d) {
          TypeText(d, IDC_LENGTH_1, each.first);
          TypeText(d, IDC_LENGTH_2, each.second);
          Click(d, IDC_KIND_FIXED_LENGTH + 1);
        },
        true);
    EXPECT_EQ(image[21], 0x80 | each.storedFirst) << each.first;
    EXPECT_EQ(image[22], each.storedSecond) << each.second;
  }
}

}  // namespace
