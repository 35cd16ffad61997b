// The "Edit Format" page, the "Configure Editing Format" sheet and its
// transmission sequence.
#include "resources/resource_ids.h"
#include "sheets/edit_format_pages.h"
#include "sheets/edit_page.h"
#include "tests/gui/gui_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kFormat2 = 126;  // record of format 2 in the image

class EditFormats : public GuiTest {
 protected:
  Bytes image = Bytes(kImageSize);
  Bytes record = Bytes(kEditFormatSize);
  // The format sheet's page `tab` (0 to 2) on `record`.
  void OnFormatPage(int tab, std::function<void(HWND)> act, bool ok = true) {
    OpenTable(*kEditFormatPages[tab], record, true, std::move(act), ok);
  }
};

TEST_F(EditFormats, SubstitutionsShowNothingForZeroAndAreRemovedByClearing) {
  Patch(image.data(), "68: 41 42 71: 42 43");  // pair 2 has no first code, pair 3 no second
  OpenTable(kEditPage, image, true, [](HWND page) {
    EXPECT_EQ(ItemTexts(page, {SUBSTITUTION_FROM(1), SUBSTITUTION_TO(1), SUBSTITUTION_FROM(2),
                               SUBSTITUTION_TO(2), SUBSTITUTION_FROM(3), SUBSTITUTION_TO(3)}),
              "65|66|||67|");
    TypeText(page, SUBSTITUTION_FROM(1), "");
    TypeText(page, SUBSTITUTION_TO(2), "x");
    EXPECT_EQ(ItemText(page, SUBSTITUTION_TO(2)), "0");
    TypeText(page, SUBSTITUTION_TO(3), "300");
  });
  EXPECT_EQ(Bytes(image.begin() + 68, image.begin() + 74), (Bytes{0, 0, 0, 0, 67, 0}));
}

TEST_F(EditFormats, FormatSheetStoresAtItsOwnOkOnly) {
  image[kFormat2 + 3] = 5;
  auto configure = [this](int button) {
    return [this, button](HWND page) {
      Expect({OnSheet(
          [](HWND sheet) {
            SetDlgItemTextA(PropSheet_GetCurrentPageHwnd(sheet), IDC_MIN_LENGTH, "9");
          },
          button)});
      Click(page, IDC_FORMAT_CONFIGURE_FIRST + 1);
    };
  };
  OpenTable(kEditPage, image, true, configure(PSBTN_CANCEL));
  EXPECT_EQ(image[kFormat2 + 3], 5);  // Cancel in the format sheet
  OpenTable(kEditPage, image, true, configure(PSBTN_OK), false);
  EXPECT_EQ(image[kFormat2 + 3], 9);
}

TEST_F(EditFormats, FieldSettingsDivideByLengthOrByTerminatingString) {
  // Field 1: no length, terminator included; field 2: length 8.
  Patch(record.data(), "10: 80 13: 88 51: 32");
  OnFormatPage(1, [](HWND page) {
    EXPECT_EQ(ItemTexts(page, {IDC_BY_TERMINATOR, IDC_FIELD_GROUP, IDC_FIELD_COUNT}),
              "on|Field terminating string|2");
    EXPECT_TRUE(Enabled(page, IDC_TERMINATOR_FIRST + 1) &&
                !Enabled(page, IDC_TERMINATOR_FIRST + 2));
    TypeText(page, IDC_FIELD_COUNT, "4");
    EXPECT_TRUE(Enabled(page, IDC_TERMINATOR_FIRST + 3));
  });
  EXPECT_EQ(Bytes({record[13], record[51]}), (Bytes{0x80, 0x34}));

  // Field 1 of length 10, field 2 of length 88, both with their terminators
  // included; numbers out of range keep the record's.
  Patch(record.data(), "10: 8A 13: D8");
  OnFormatPage(1, [](HWND page) {
    EXPECT_EQ(ItemText(page, IDC_FIELD_GROUP), "Field length");
    SetDlgItemTextA(page, IDC_FIELD_COUNT, "5");
    SetDlgItemTextA(page, IDC_FIELD_COUNT, "6");
    EXPECT_TRUE(Enabled(page, IDC_FIELD_LENGTH_FIRST + 4));
    TypeText(page, IDC_FIELD_LENGTH_FIRST + 1, "200");
    TypeText(page, IDC_FIELD_LENGTH_FIRST + 2, "127");
  });
  EXPECT_EQ(Bytes({record[13], record[16], record[51]}), (Bytes{0xD8, 0x7F, 0x34}));

  OnFormatPage(1, [](HWND page) { Click(page, IDC_BY_TERMINATOR); });
  EXPECT_EQ(Bytes({record[10], record[13], record[16]}), (Bytes{0x80, 0x80, 0x00}));
}

TEST_F(EditFormats, SequenceIsReadAsTheScannerReadsItAndHoldsTwelveItems) {
  // The sequence's bytes, and the sequence shown.
  const std::pair<const char*, const char*> cases[] = {{"45: 12 37", "[F1][F2][F3][A1]"},
                                                       {"45: 10 20", "[F1][F2]"},
                                                       {"45: 07", "[A1]"},
                                                       {"45: B0", "[A5]"},
                                                       {"45: C1 D0 2F", "[F1][F2]"}};
  for (const auto& [stored, shown] : cases) {
    std::fill(record.begin(), record.end(), 0);
    Patch(record.data(), stored);
    OnFormatPage(2, [&](HWND page) { EXPECT_EQ(ItemText(page, IDC_SEQUENCE), shown); });
  }
  OnFormatPage(2, [this](HWND page) {
    Click(page, IDC_SEQUENCE_CLEAR);
    for (int i = 0; i < 12; ++i) Click(page, IDC_SEQUENCE_ITEM_FIRST + 5);  // "Field 6"
    Expect({Press(IDOK)});
    Click(page, IDC_SEQUENCE_ITEM_FIRST + 10);
    EXPECT_EQ(ItemText(page, IDC_SEQUENCE).size(), 48u);
  });
  EXPECT_EQ(shownBoxes.at(0).text, "Too many fields !!!");
  EXPECT_EQ(Bytes(record.begin() + 45, record.begin() + 51), Bytes(6, 0x66));
}

}  // namespace
