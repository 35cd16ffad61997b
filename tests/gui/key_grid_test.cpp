// The key grid editor, opened by a click on a key field, driven by clicks at
// grid coordinates in each interface mode.
#include <tuple>

#include "keycodes/key_code_string.h"
#include "resources/resource_ids.h"
#include "sheets/symbology_page.h"
#include "sheets/symbology_params.h"
#include "tests/gui/gui_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Clicks the cell of `code` in a grid of `columns` columns.
void ClickCell(HWND editor, int columns, int code) {
  HWND grid = GetDlgItem(editor, IDC_GRID);
  RECT r;
  GetClientRect(grid, &r);
  const int w = r.right / (columns + 1), h = r.bottom / 17;
  const int x = ((code >> 4) + 1) * w + w / 2, y = ((code & 15) + 1) * h + h / 2;
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

// The key field's text after the editor closed, its bytes, and how many keys
// the editor refused.
using Session = std::tuple<std::string, Bytes, int>;

class KeyGrid : public GuiTest {
 protected:
  Bytes image = Bytes(kImageSize);
  // Clicks the prefix of the "Symbology" page (bytes 27 to 30) or the field
  // separator of "EAN128Dlg" (bytes 65 and 66), lets `act` work on the key
  // grid editor, closes it with `button`, and the page or dialog with OK.
  Session Edit(bool prefix, std::function<void(HWND)> act, int button = IDOK) {
    shownBoxes.clear();
    const DialogStep editor = [act, button](HWND grid) {
      EXPECT_EQ(WindowText(grid), "The Grid Control");
      act(grid);
      Press(button)(grid);
    };
    const int edit = prefix ? IDC_PREFIX : IDC_FIELD_SEPARATOR;
    std::string shown;
    OpenTable(prefix ? kSymbologyPage : kEan128Params, image, prefix, [&](HWND dialog) {
      Expect({editor});
      SendMessageA(GetDlgItem(dialog, edit), WM_LBUTTONDOWN, MK_LBUTTON, 0);
      shown = ItemText(dialog, edit);
    });
    for (const ShownBox& box : shownBoxes) EXPECT_EQ(box.text, "Too many characters !!!");
    const auto field = image.begin() + (prefix ? 27 : 65);
    return {shown, Bytes(field, field + (prefix ? 4 : 2)), static_cast<int>(shownBoxes.size())};
  }
  void RefuseNext() { Expect({Press(IDOK)}); }
};

TEST_F(KeyGrid, ScanCodesTakeTwoBytesEach) {
  Patch(image.data(), "27: C0 1C");
  const Session s = Edit(true, [this](HWND e) {
    EXPECT_TRUE(IsDlgButtonChecked(e, IDC_SCAN_CODE));
    EXPECT_FALSE(Enabled(e, IDC_ADD_SHIFT));
    ClickCell(e, 16, 0x5A);
    RefuseNext();
    ClickCell(e, 16, 0x33);
  });
  EXPECT_EQ(s, Session("[1C][5A]", Hex("C0 1C C0 5A"), 1));
}

TEST_F(KeyGrid, ModifiedKeysNeedRoomForTheirFlagByte) {
  Session s = Edit(false, [this](HWND e) {
    Click(e, IDC_ADD_SHIFT);
    ClickCell(e, 9, 0x61);
    RefuseNext();
    ClickCell(e, 9, 0x61);
  });
  EXPECT_EQ(s, Session("[Shift][a]", Hex("C1 61"), 1));

  s = Edit(true, [this](HWND e) {
    for (const int code : {0x00, 0x41, 0x42, 0x43}) ClickCell(e, 9, code);  // 00 adds nothing
    Click(e, IDC_ADD_SHIFT);
    RefuseNext();
    ClickCell(e, 9, 0x44);
    Click(e, IDC_ADD_SHIFT);
    ClickCell(e, 9, 0x44);
  });
  EXPECT_EQ(s, Session("[A][B][C][D]", Hex("41 42 43 44"), 1));
}

TEST_F(KeyGrid, ModesClearingAndCancel) {
  Session s = Edit(true, [](HWND e) {
    ClickCell(e, 9, 0x41);
    Click(e, IDC_SCAN_CODE);
    ClickCell(e, 16, 0x1C);
    Click(e, IDC_NORMAL_KEY);  // each switch empties the sequence
  });
  EXPECT_EQ(s, Session("", Bytes(4, 0), 0));

  InterfaceMode = InterfaceKind::Rs232;
  s = Edit(true, [](HWND e) {
    EXPECT_FALSE(Shown(e, IDC_ADD_SHIFT));
    EXPECT_FALSE(Shown(e, IDC_SCAN_CODE));
    ClickCell(e, 8, 0x0D);
  });
  EXPECT_EQ(s, Session("[CR]", Hex("0D 00 00 00"), 0));

  s = Edit(
      true, [](HWND e) { ClickCell(e, 8, 0x41); }, IDCANCEL);
  EXPECT_EQ(s, Session("[CR]", Hex("0D 00 00 00"), 0));

  s = Edit(true, [](HWND e) { Click(e, IDC_GRID_CLEAR); });
  EXPECT_EQ(s, Session("", Bytes(4, 0), 0));
}

}  // namespace
