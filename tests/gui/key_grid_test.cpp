// The key grid editor, opened by a click on a key field, driven by clicks at
// grid coordinates in each interface mode.
#include <tuple>

#include "keycodes/key_code_string.h"
#include "resources/resource_ids.h"
#include "sheets/symbology_page.h"
#include "tests/gui/gui_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The key field's text after the editor closed, its bytes, and how many keys
// the editor refused.
using Session = std::tuple<std::string, Bytes, int>;

class KeyGrid : public GuiTest {
 protected:
  Bytes image = Bytes(kImageSize);
  // Clicks the prefix of the "Symbology" page (bytes 27 to 30), lets `act`
  // work on the key grid editor, closes it with `button`, and the page with OK.
  Session Edit(std::function<void(HWND)> act, int button = IDOK) {
    shownBoxes.clear();
    const DialogStep editor = [act, button](HWND grid) {
      EXPECT_EQ(WindowText(grid), "The Grid Control");
      act(grid);
      Press(button)(grid);
    };
    std::string shown;
    OpenTable(kSymbologyPage, image, true, [&](HWND page) {
      Expect({editor});
      SendMessageA(GetDlgItem(page, IDC_PREFIX), WM_LBUTTONDOWN, MK_LBUTTON, 0);
      shown = ItemText(page, IDC_PREFIX);
    });
    for (const ShownBox& box : shownBoxes) EXPECT_EQ(box.text, "Too many characters !!!");
    return {shown, Bytes(image.begin() + 27, image.begin() + 31),
            static_cast<int>(shownBoxes.size())};
  }
  void RefuseNext() { Expect({Press(IDOK)}); }
};

TEST_F(KeyGrid, ScanCodesTakeTwoBytesEach) {
  Patch(image.data(), "27: C0 1C");
  const Session s = Edit([this](HWND e) {
    EXPECT_TRUE(IsDlgButtonChecked(e, IDC_SCAN_CODE));
    EXPECT_FALSE(Enabled(e, IDC_ADD_SHIFT));
    ClickCell(e, 16, 0x5A);
    RefuseNext();
    ClickCell(e, 16, 0x33);
  });
  EXPECT_EQ(s, Session("[1C][5A]", Hex("C0 1C C0 5A"), 1));
}

TEST_F(KeyGrid, ModifiedKeysNeedRoomForTheirFlagByte) {
  const Session s = Edit([this](HWND e) {
    for (const int code : {0x00, 0x41, 0x42, 0x43}) ClickCell(e, 9, code);  // 00 adds nothing
    Click(e, IDC_ADD_SHIFT);
    RefuseNext();
    ClickCell(e, 9, 0x44);
    Click(e, IDC_ADD_SHIFT);
    ClickCell(e, 9, 0x44);
  });
  EXPECT_EQ(s, Session("[A][B][C][D]", Hex("41 42 43 44"), 1));
}

// Boxes 101 to 106 are bits 0x01 to 0x20 of the flag byte; reopening shows
// the first flag byte's boxes checked.
TEST_F(KeyGrid, EachModifierBoxSetsItsBitAndComesBack) {
  constexpr int kShift = IDC_ADD_SHIFT, kLeftCtrl = kShift + 1, kRightAlt = kShift + 4;
  Session s = Edit([](HWND e) {
    for (const int box : {kLeftCtrl, kRightAlt}) Click(e, box);
    ClickCell(e, 9, 0x61);
  });
  EXPECT_EQ(s, Session("[LeftCtrl][RightAlt][a]", Hex("D2 61 00 00"), 0));
  s = Edit([](HWND e) {
    EXPECT_EQ(ItemTexts(e, {kShift, kLeftCtrl, kShift + 2, kShift + 3, kRightAlt, kShift + 5}),
              "off|on|off|off|on|off");
    for (const int box : {kShift, kLeftCtrl, kShift + 2, kShift + 3, kRightAlt, kShift + 5})
      Click(e, box);
    Click(e, IDC_GRID_CLEAR);
    ClickCell(e, 9, 0x62);
  });
  EXPECT_EQ(s, Session("[Shift][LeftAlt][RightCtrl][Break][b]", Hex("ED 62 00 00"), 0));
}

TEST_F(KeyGrid, ModesClearingAndCancel) {
  Session s = Edit([](HWND e) {
    ClickCell(e, 9, 0x41);
    Click(e, IDC_SCAN_CODE);
    ClickCell(e, 16, 0x1C);
    Click(e, IDC_NORMAL_KEY);  // each switch empties the sequence
  });
  EXPECT_EQ(s, Session("", Bytes(4, 0), 0));

  InterfaceMode = InterfaceKind::Rs232;
  s = Edit([](HWND e) {
    EXPECT_FALSE(Shown(e, IDC_ADD_SHIFT));
    EXPECT_FALSE(Shown(e, IDC_SCAN_CODE));
    ClickCell(e, 8, 0x0D);
  });
  EXPECT_EQ(s, Session("[CR]", Hex("0D 00 00 00"), 0));

  s = Edit([](HWND e) { ClickCell(e, 8, 0x41); }, IDCANCEL);
  EXPECT_EQ(s, Session("[CR]", Hex("0D 00 00 00"), 0));
}

}  // namespace
