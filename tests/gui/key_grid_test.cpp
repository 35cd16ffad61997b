// The key grid editor, opened by a click on a key field, driven by clicks at
// grid coordinates in each interface mode.
#include <windows.h>

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

struct Session {
  std::string shown;  // the key field's text after the editor closed
  int refusals = 0;
};

class KeyGrid : public GuiTest {
 protected:
  // Clicks the prefix of the "Symbology" page (4 bytes) or the field separator
  // of "EAN128Dlg" (2 bytes), lets `act` work on the key grid editor, closes
  // it with `button`, and the page or dialog with OK.
  Session Edit(Bytes& image, bool prefix, std::function<void(HWND)> act, int button = IDOK) {
    Session s;
    shownBoxes.clear();
    const DialogStep editor = OnDialog([act, button](HWND grid) {
      EXPECT_EQ(WindowText(grid), "The Grid Control");
      act(grid);
      Press(button)(grid);
    });
    const int edit = prefix ? IDC_PREFIX : IDC_FIELD_SEPARATOR;
    OpenTable(prefix ? kSymbologyPage : kEan128Params, image, prefix, [&](HWND dialog) {
      Expect({editor});
      SendMessageA(GetDlgItem(dialog, edit), WM_LBUTTONDOWN, MK_LBUTTON, 0);
      s.shown = DialogItemText(dialog, edit);
    });
    s.refusals = static_cast<int>(shownBoxes.size());
    for (const ShownBox& box : shownBoxes) EXPECT_EQ(box.text, "Too many characters !!!");
    return s;
  }
  void RefuseNext() { Expect({Answer(IDOK)}); }
};

Bytes Prefix(const Bytes& image) {
  return Bytes(image.begin() + 27, image.begin() + 31);
}

TEST_F(KeyGrid, ScanCodesTakeTwoBytesEach) {
  Bytes image(kImageSize);
  image[27] = 0xC0;
  image[28] = 0x1C;
  const Session s = Edit(image, true, [this](HWND e) {
    EXPECT_TRUE(IsDlgButtonChecked(e, IDC_SCAN_CODE));
    EXPECT_FALSE(Enabled(e, IDC_ADD_SHIFT));
    ClickCell(e, 16, 0x5A);
    RefuseNext();
    ClickCell(e, 16, 0x33);
  });
  EXPECT_EQ(s.shown, "[1C][5A]");
  EXPECT_EQ(s.refusals, 1);
  EXPECT_EQ(Prefix(image), (Bytes{0xC0, 0x1C, 0xC0, 0x5A}));
}

TEST_F(KeyGrid, ModifiedKeysNeedRoomForTheirFlagByte) {
  Bytes image(kImageSize);
  Session s = Edit(image, false, [this](HWND e) {
    Click(e, IDC_ADD_SHIFT);
    ClickCell(e, 9, 0x61);
    RefuseNext();
    ClickCell(e, 9, 0x61);
  });
  EXPECT_EQ(s.shown, "[Shift][a]");
  EXPECT_EQ(s.refusals, 1);
  EXPECT_EQ(Bytes({image[65], image[66]}), (Bytes{0xC1, 0x61}));

  s = Edit(image, true, [this](HWND e) {
    for (const int code : {0x00, 0x41, 0x42, 0x43}) ClickCell(e, 9, code);  // 00 adds nothing
    Click(e, IDC_ADD_SHIFT);
    RefuseNext();
    ClickCell(e, 9, 0x44);
    Click(e, IDC_ADD_SHIFT);
    ClickCell(e, 9, 0x44);
  });
  EXPECT_EQ(s.shown, "[A][B][C][D]");
  EXPECT_EQ(Prefix(image), (Bytes{0x41, 0x42, 0x43, 0x44}));
}

TEST_F(KeyGrid, ModesClearingAndCancel) {
  Bytes image(kImageSize);
  Session s = Edit(image, true, [](HWND e) {
    ClickCell(e, 9, 0x41);
    Click(e, IDC_SCAN_CODE);
    ClickCell(e, 16, 0x1C);
    Click(e, IDC_NORMAL_KEY);  // each switch empties the sequence
  });
  EXPECT_EQ(s.shown, "");
  EXPECT_EQ(Prefix(image), Bytes(4, 0));

  InterfaceMode = InterfaceKind::Rs232;
  s = Edit(image, true, [](HWND e) {
    EXPECT_FALSE(Shown(e, IDC_ADD_SHIFT));
    EXPECT_FALSE(Shown(e, IDC_SCAN_CODE));
    ClickCell(e, 8, 0x0D);
  });
  EXPECT_EQ(s.shown, "[CR]");
  EXPECT_EQ(Prefix(image), (Bytes{0x0D, 0, 0, 0}));

  s = Edit(
      image, IDC_PREFIX, [](HWND e) { ClickCell(e, 8, 0x41); }, IDCANCEL);
  EXPECT_EQ(s.shown, "[CR]");
  EXPECT_EQ(Prefix(image), (Bytes{0x0D, 0, 0, 0}));

  s = Edit(image, true, [](HWND e) { Click(e, IDC_GRID_CLEAR); });
  EXPECT_EQ(s.shown, "");
  EXPECT_EQ(Prefix(image), Bytes(4, 0));
}

}  // namespace
