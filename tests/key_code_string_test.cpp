// Rendering of key sequences in the three interface modes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keycodes/key_code_string.h"
#include "keycodes/key_names.h"
#include "tests/test_support.h"

namespace {

constexpr InterfaceKind kWedge = InterfaceKind::KeyboardWedge;
constexpr InterfaceKind kRs232 = InterfaceKind::Rs232;
constexpr InterfaceKind kWand = InterfaceKind::WandEmulation;

struct Rendered {
  std::string text;
  KeyRendering result;
};

Rendered Render(const std::string& hex, InterfaceKind mode) {
  const std::vector<uint8_t> bytes = Hex(hex);
  Rendered r;
  r.result = RenderKeyCodeString(bytes, r.text, mode);
  return r;
}

TEST(KeyNames, TablesHoldTheListedNames) {
  EXPECT_STREQ(AsciiKeyNames[0x00], "");
  EXPECT_STREQ(AsciiKeyNames[0x01], "SOH");
  EXPECT_STREQ(AsciiKeyNames[0x0D], "CR");
  EXPECT_STREQ(AsciiKeyNames[0x1F], "US");
  EXPECT_STREQ(AsciiKeyNames[0x20], "Space");
  EXPECT_STREQ(AsciiKeyNames[0x21], "!");
  EXPECT_STREQ(AsciiKeyNames[0x41], "A");
  EXPECT_STREQ(AsciiKeyNames[0x7E], "~");
  EXPECT_STREQ(AsciiKeyNames[0x7F], "DEL");
  EXPECT_STREQ(WedgeKeyNames[0x01], "Insert");
  EXPECT_STREQ(WedgeKeyNames[0x0D], "Enter");
  EXPECT_STREQ(WedgeKeyNames[0x0F], "F1");
  EXPECT_STREQ(WedgeKeyNames[0x1B], "ESC");
  EXPECT_STREQ(WedgeKeyNames[0x1D], "Send");
  EXPECT_STREQ(WedgeKeyNames[0x1E], "");
  EXPECT_STREQ(WedgeKeyNames[0x5C], "\\");
  EXPECT_STREQ(WedgeKeyNames[0x7F], "Delay");
  EXPECT_STREQ(WedgeKeyNames[0x80], "0*");
  EXPECT_STREQ(WedgeKeyNames[0x89], "9*");
  EXPECT_STREQ(WedgeKeyNames[0x8F], "");
  EXPECT_STREQ(ScanCodeNames[0x00], "00");
  EXPECT_STREQ(ScanCodeNames[0x1C], "1C");
  EXPECT_STREQ(ScanCodeNames[0xFF], "FF");
  for (int c = 0x21; c < 0x7F; ++c) {
    EXPECT_EQ(std::string(AsciiKeyNames[c]), std::string(1, static_cast<char>(c)));
    EXPECT_STREQ(WedgeKeyNames[c], AsciiKeyNames[c]);
  }
}

TEST(RenderKeyCodeString, EmptyFieldWritesNothingInEveryMode) {
  for (InterfaceKind mode : {kWedge, kRs232, kWand}) {
    const Rendered r = Render("00 41 42 43", mode);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(r.result.count, 0);
    EXPECT_FALSE(r.result.scanCode);
    EXPECT_EQ(r.result.modifiers, 0);
  }
}

TEST(RenderKeyCodeString, FullPlainFieldHasNoTerminator) {
  for (InterfaceKind mode : {kWedge, kRs232}) {
    const Rendered r = Render("41 42 43 44", mode);
    EXPECT_EQ(r.text, "[A][B][C][D]");
    EXPECT_EQ(r.result.count, 4);
  }
  EXPECT_EQ(Render("61 62", kWand).text, "[a][b]");
}

TEST(RenderKeyCodeString, NamesDependOnTheInterface) {
  EXPECT_EQ(Render("0D 00 00 00", kWedge).text, "[Enter]");
  EXPECT_EQ(Render("0D 00 00 00", kRs232).text, "[CR]");
  EXPECT_EQ(Render("0D 00 00 00", kWand).text, "[CR]");
  EXPECT_EQ(Render("09 00", kWedge).text, "[HT]");
  EXPECT_EQ(Render("09 00", kRs232).text, "[HT]");
  EXPECT_EQ(Render("7F 00", kWedge).text, "[Delay]");
  EXPECT_EQ(Render("7F 00", kWand).text, "[DEL]");
  EXPECT_EQ(Render("78 7A", kWedge).text, "[x][z]");
  EXPECT_EQ(Render("78 7A", kRs232).text, "[x][z]");
  EXPECT_EQ(Render("1E 1F 8A 8F", kWedge).text, "[][][][]");
  EXPECT_EQ(Render("1E 1F 8A 8F", kWedge).result.count, 4);
}

TEST(RenderKeyCodeString, ModifiedKeys) {
  Rendered r = Render("C1 61", kWedge);
  EXPECT_EQ(r.text, "[Shift][a]");
  EXPECT_EQ(r.result.count, 2);
  EXPECT_EQ(r.result.modifiers, kShift);

  r = Render("C3 0D C3 09", kWedge);
  EXPECT_EQ(r.text, "[Shift][LeftCtrl][Enter][Shift][LeftCtrl][HT]");
  EXPECT_EQ(r.result.count, 4);
  EXPECT_EQ(r.result.modifiers, kShift | kLeftCtrl);

  EXPECT_EQ(Render("E0 41", kWedge).text, "[Break][A]");
  r = Render("FF 41 FF 42", kWedge);
  EXPECT_EQ(r.text,
            "[Shift][LeftCtrl][LeftAlt][RightCtrl][RightAlt][Break][A]"
            "[Shift][LeftCtrl][LeftAlt][RightCtrl][RightAlt][Break][B]");
  EXPECT_EQ(r.result.modifiers, 0x3F);

  // A flag byte followed by a zero byte names its modifiers but no key.
  r = Render("C4 00 00 00", kWedge);
  EXPECT_EQ(r.text, "[LeftAlt]");
  EXPECT_EQ(r.result.count, 0);
}

TEST(RenderKeyCodeString, KeepsNoModifiersBetweenCalls) {
  std::string text;
  RenderKeyCodeString(Hex("C1 61"), text, kWedge);
  text.clear();
  const KeyRendering r = RenderKeyCodeString(Hex("C2 62"), text, kWedge);
  EXPECT_EQ(text, "[LeftCtrl][b]");
  EXPECT_EQ(r.modifiers, kLeftCtrl);
}

TEST(RenderKeyCodeString, ScanCodes) {
  Rendered r = Render("C0 1C 00 00", kWedge);
  EXPECT_EQ(r.text, "[1C]");
  EXPECT_EQ(r.result.count, 2);
  EXPECT_TRUE(r.result.scanCode);
  EXPECT_EQ(r.result.modifiers, 0);

  r = Render("C0 1C C0 5A", kWedge);
  EXPECT_EQ(r.text, "[1C][5A]");
  EXPECT_EQ(r.result.count, 4);

  r = Render("C0 00 C0 5A", kWedge);
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(r.result.count, 0);
  EXPECT_TRUE(r.result.scanCode);
  EXPECT_EQ(Render("C0 FF", kWedge).text, "[FF]");
}

TEST(RenderKeyCodeString, MixedStringsShowEachKeyAsSent) {
  Rendered r = Render("41 C1 62 00", kWedge);
  EXPECT_EQ(r.text, "[A][Shift][b]");
  EXPECT_EQ(r.result.count, 3);
  EXPECT_EQ(r.result.modifiers, 0);  // the first byte is a plain key

  r = Render("C1 61 C2 62", kWedge);
  EXPECT_EQ(r.text, "[Shift][a][LeftCtrl][b]");
  EXPECT_EQ(r.result.modifiers, kShift);

  EXPECT_EQ(Render("C0 1C 41 00", kWedge).text, "[1C][A]");
}

TEST(RenderKeyCodeString, FlagByteInTheLastByteRendersNoKey) {
  Rendered r = Render("41 42 43 C1", kWedge);
  EXPECT_EQ(r.text, "[A][B][C]");
  EXPECT_EQ(r.result.count, 3);
  r = Render("41 C0", kWedge);
  EXPECT_EQ(r.text, "[A]");
  EXPECT_EQ(r.result.count, 1);
  r = Render("C5", kWedge);
  EXPECT_EQ(r.text, "");
  EXPECT_EQ(r.result.count, 0);
  EXPECT_EQ(r.result.modifiers, 0x05);
}

TEST(RenderKeyCodeString, CodesOutsideTheTableAreMarked) {
  EXPECT_EQ(Render("80 FF", kRs232).text, "[?80][?FF]");
  EXPECT_EQ(Render("90 BF", kWedge).text, "[?90][?BF]");
  EXPECT_EQ(Render("C1 9A", kWedge).text, "[Shift][?9A]");
  EXPECT_EQ(Render("C1 C1", kWedge).text, "[Shift][?C1]");
}

TEST(RenderKeyCodeString, AppendsToTheText) {
  std::string text = "Suffix: ";
  RenderKeyCodeString(Hex("0D 00 00 00"), text, kWedge);
  EXPECT_EQ(text, "Suffix: [Enter]");
}

TEST(RenderKeyCodeString, ReadsTheProcessWideModeByDefault) {
  const InterfaceKind saved = InterfaceMode;
  std::string text;
  InterfaceMode = kRs232;
  RenderKeyCodeString(Hex("0D"), text);
  InterfaceMode = kWedge;
  RenderKeyCodeString(Hex("0D"), text);
  InterfaceMode = saved;
  EXPECT_EQ(text, "[CR][Enter]");
}

TEST(RenderKeyCodeString, EveryTwoByteFieldStaysInItsBounds) {
  // Walks all 65536 two-byte fields in every mode; the sanitizers watch the reads.
  for (InterfaceKind mode : {kWedge, kRs232, kWand}) {
    for (int v = 0; v < 0x10000; ++v) {
      const uint8_t bytes[2] = {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
      std::string text;
      const KeyRendering r = RenderKeyCodeString(bytes, text, mode);
      ASSERT_LE(r.count, 2);
      ASSERT_LE(text.size(), 124u);
    }
  }
}

TEST(InterfaceModeFromImage, FollowsByteZero) {
  SettingsImage image;
  image.bytes[1] = 0xFF;
  image.bytes[0] = 0;
  EXPECT_EQ(InterfaceModeFromImage(image), kRs232);
  image.bytes[0] = 250;
  EXPECT_EQ(InterfaceModeFromImage(image), kWand);
  for (int v : {1, 7, 28, 29, 249, 251, 255}) {
    image.bytes[0] = static_cast<uint8_t>(v);
    EXPECT_EQ(InterfaceModeFromImage(image), kWedge) << v;
  }
}

}  // namespace
