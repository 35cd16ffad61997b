// The "Symbology" page, the symbology parameter dialogs and the "Code ID" page.
#include <tuple>

#include "keycodes/key_code_string.h"
#include "resources/resource_ids.h"
#include "sheets/code_id_page.h"
#include "sheets/symbology_page.h"
#include "sheets/symbology_params.h"
#include "tests/gui/gui_driver.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kBox = IDC_SYMBOLOGY_FIRST;
constexpr int kOption = IDC_OPTION_FIRST;
constexpr int kChoice = IDC_CHOICE_FIRST;

class Symbology : public GuiTest {
 protected:
  Bytes image = Bytes(kImageSize);
  void Page(std::function<void(HWND)> act, bool ok = true) {
    OpenTable(kSymbologyPage, image, true, std::move(act), ok);
  }
  void Params(const DialogTable& table, std::function<void(HWND)> act) {
    OpenTable(table, image, false, std::move(act));
  }
};

TEST_F(Symbology, PageSumsUpAddOnsAndOnlyClearsThem) {
  Patch(image.data(), "10: 04 FF 17: FF FF");  // UPCE without add-on only
  Page([](HWND page) {
    EXPECT_EQ(ItemTexts(page, {kBox + 8, kBox + 9, kBox + 14, kBox + 15}), "on|off|off|off");
    EXPECT_TRUE(Enabled(page, CONFIGURE_OF(kBox + 8)));
    EXPECT_FALSE(Enabled(page, CONFIGURE_OF(kBox + 9)) || Enabled(page, CONFIGURE_OF(kBox + 14)));
    Click(page, kBox + 10);  // unchecks EAN13
  });
  EXPECT_EQ(Bytes({image[10], image[11], image[17], image[18]}), (Bytes{0x04, 0xF8, 0xFF, 0xFF}));
}

TEST_F(Symbology, ParameterDialogWritesAtItsOwnOkWhateverTheSheetDoes) {
  Patch(image.data(), "9: 40 16: C3");  // Codabar on
  Page(
      [this](HWND page) {
        Expect({[](HWND codabar) {
          Click(codabar, kChoice + 3);  // "ABCD / TN*E"
          Click(codabar, kOption);      // "Transmit Start/Stop"
          Press(IDOK)(codabar);
        }});
        Click(page, CONFIGURE_OF(kBox + 6));
        Click(page, kBox);  // Code 39 on, then cancelled with the sheet
      },
      false);
  EXPECT_EQ(Bytes({image[9], image[16]}), (Bytes{0x40, 0xDF}));
}

TEST_F(Symbology, PrefixAndSuffixAreShownByInterfaceAndWrittenBackAsTheyWere) {
  const Bytes keys = Hex("41 42 43 44 0D 00 00 00");
  std::copy(keys.begin(), keys.end(), image.begin() + 27);
  for (const auto mode : {InterfaceKind::KeyboardWedge, InterfaceKind::Rs232}) {
    InterfaceMode = mode;
    Page([mode](HWND page) {
      EXPECT_EQ(ItemTexts(page, {IDC_PREFIX, IDC_SUFFIX}),
                mode == InterfaceKind::Rs232 ? "[A][B][C][D]|[CR]" : "[A][B][C][D]|[Enter]");
      TypeText(page, IDC_SUFFIX, "typed");
    });
    EXPECT_EQ(Bytes(image.begin() + 27, image.begin() + 35), keys);
  }
}

TEST_F(Symbology, LengthQualificationsShowTheirModeAndHoldTheirLimits) {
  // Industrial 25: start/stop 3 (no button), fixed lengths 13 and 4;
  // Interleave 25: max/min, 13 and 6.
  Patch(image.data(), "14: C0 19: 1A 04 8D 06");
  const auto shows = [](const char* texts) {
    return [=](HWND d) {
      EXPECT_EQ(ItemTexts(d, {IDC_LENGTH_LABEL_1, IDC_LENGTH_LABEL_2, IDC_LENGTH_1, IDC_LENGTH_2}),
                texts);
    };
  };
  Params(kIndustrial25Params, [&](HWND d) {
    shows("Fixed Length 1:|Fixed Length 2:|13|4")(d);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(IsChecked(d, kChoice + i));
    TypeText(d, IDC_LENGTH_1, "x");
    TypeText(d, IDC_LENGTH_2, "y");
    shows("Fixed Length 1:|Fixed Length 2:|127|1")(d);
    TypeText(d, IDC_LENGTH_1, "200");
    Click(d, kChoice + 4);  // "Max / Min Length"
    shows("Max Length :|Min Length :|200|1")(d);
  });
  EXPECT_EQ(Bytes({image[14], image[19], image[20]}), (Bytes{0xC0, 0xFF, 1}));
  Params(kInterleave25Params, shows("Max Length :|Min Length :|13|6"));
  EXPECT_EQ(image[21], 0x8D);

  // Typed max and min, and what is stored.
  const std::tuple<const char*, const char*, uint8_t, uint8_t> limits[] = {
      {"10", "20", 10, 10}, {"0", "0", 1, 1}, {"", "", 127, 1}, {"127", "3", 127, 3}};
  for (const auto& [first, second, stored1, stored2] : limits) {
    Params(kInterleave25Params, [&](HWND d) {
      TypeText(d, IDC_LENGTH_1, first);
      TypeText(d, IDC_LENGTH_2, second);
    });
    EXPECT_EQ(Bytes({image[21], image[22]}), (Bytes{uint8_t(0x80 | stored1), stored2}));
  }
}

TEST_F(Symbology, CodeIdSetsAndClearReachTheImageOnlyOnOk) {
  image[35] = 0x41;
  const Bytes before = image;
  OpenTable(
      kCodeIdPage, image, true, [](HWND page) { Click(page, IDC_CODE_ID_SET_FIRST); }, false);
  EXPECT_EQ(image, before);
  OpenTable(kCodeIdPage, image, true, [](HWND page) {
    EXPECT_EQ(ItemText(page, IDC_CODE_ID_FIRST), "[A]");
    Click(page, IDC_CODE_ID_SET_FIRST + 3);  // "Set 4"
    EXPECT_EQ(ItemText(page, IDC_CODE_ID_FIRST + 10), "[F][F]");
    EXPECT_EQ(ItemText(page, IDC_CODE_ID_PDF417), "");
  });
  EXPECT_EQ(Bytes({image[51], image[52], image[55], image[56], image[63], image[64]}),
            (Bytes{0x6B, 0x00, 0x46, 0x46, 0x51, 0x00}));
  OpenTable(kCodeIdPage, image, true, [](HWND page) { Click(page, IDC_CODE_ID_CLEAR); });
  EXPECT_EQ(Bytes(image.begin() + 35, image.begin() + 65), Bytes(30, 0));
}

}  // namespace
