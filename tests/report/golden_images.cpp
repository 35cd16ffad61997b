// The images whose reports are kept as golden files, written byte by byte
// from the byte map and never through the field accessors the report uses.
#include "tests/report/golden_images.h"

#include <algorithm>
#include <tuple>

#include "tests/test_support.h"

namespace {

constexpr InterfaceKind W = InterfaceKind::KeyboardWedge;
constexpr InterfaceKind R = InterfaceKind::Rs232;
constexpr InterfaceKind N = InterfaceKind::WandEmulation;

// Each string fills a record from its byte 0 on; a token "N:" goes on at byte
// N, and bytes not written are zero.
struct Written {
  const char* name;
  InterfaceKind keys;
  const char* image;                      // bytes 0 to 73
  const char* formats[kEditFormatCount];  // the three 52-byte editing formats
};

// Byte map: 0-8 interface, keyboard, delay, line, scan, read, wand, edit
// options, time-out; 9-11 symbologies on; 12-13 code lengths; 14-18 options;
// 19-26 length qualifications (layouts A, B, A, A); 27-34 prefix and suffix;
// 35-64 code ids; 65-66 field separator; 67 port options; 68-73 substitutions.
// Editing format: 0-2 code types, 3-4 lengths, 5-8 matching string, 9 its
// location, 10-24 five fields (length, terminator), 25-44 additional fields,
// 45-50 transmission sequence, 51 number of fields.
//
// The bits were chosen so that, over these images, their switched variants and
// the factory image, reading any shown field under a mask with one bit more,
// less or moved, or at the byte beside it, would change some report. Beside
// that they show: each interface block; ASCII, plain, modified and scan-code
// keys; both division forms (a field 2 length alone keeps the terminator form);
// sequences ending at a zero byte, skipping zero items and dropping items
// 12 to 15; and values no page writes: in unlisted_values, and a parity of 3
// behind the wand block, which wand_as_rs232 shows.
const Written kWritten[] = {
    {"rs232",
     R,
     "0: 00 59 FF D7 26 ED 4E F1 9: 55 AA 32 CE 51 14: 05 16 55 09 5A 19: FE 04 FE 04 11 1E 00 FF"
     " 27: 02 41 7F 00 0D 0A 35: 41 42: 41 53: 45 30 63: 7E 7F 65: 1D 67: CD 68: 2C 3B 00 41 61 41",
     {"0: 81 42 24 04 FF 41 42 00 00 1B 10: FF 2C 00 FE 00 00 FE 00 00 FE 00 00 FE"
      " 25: 41 42 43 44 37: 0D 45: 12 7A 51: 02",
      "0: 20 90 00 48 FF 9: 06 10: 00 2C 00 05 0D 0A 09 00 00 06 00 00 A8 5C 29: 41 42 43 44"
      " 45: 10 00 34 51: 92",
      "0: FF 32 70 43 0A 09 00 00 00 FF 10: 7F 00 00 52 00 00 20 00 00 99 00 00 20 45: 70 51: C1"}},
    {"wand",
     N,
     "0: FA B0 63 3E 5B 9A D2 D7 7B 9: AA 55 ED B3 AA 14: 4B 48 BE 26 A5"
     " 19: 15 0C 05 0C 64 C8 81 03 27: 20 7E 09 5C 0D"
     " 35: 30 00 31 00 32 00 33 00 34 00 35 00 36 00 37 00 38 00 39 00 3A 00 3B 00 3C 00 3D 00 3E"
     " 65: 1E 1F 67: 7B 70: 7C 2F 09 20",
     {"0: 55 AA 3C 00 00 7E 00 00 00 45 13: 4B 00 00 C1 00 00 1F 00 00 B3 45: 07",
      "0: 8B F0 83 08 10 20 21 7E 00 54 13: 20 2E 00 68 0D 0A 01 00 00 85 45: C1 51: 41",
      "0: 12 A5 56 75 FE 61 62 63 64 FE 10: 81 00 00 A2 00 00 D7 00 00 BA 00 00 FF"
      " 25: 31 00 00 00 32 32 00 00 33 33 33 00 34 34 34 34 35 45: 12 34 56 78 9A BC 51: 82"}},
    {"wedge",
     W,
     "0: 1C 97 0C 85 6C 5F AC 78 FF 9: 0F F0 4F 76 07 14: 9B 71 7F 90 F0"
     " 19: 01 00 7F 01 FF 04 2A 63 27: C3 0D C3 09 C0 1C C0 5A 37: C0 3B 49: C1 61 58: 0D 00 00 0D"
     " 65: E0 41 67: FB 68: 0D 09 7F 00 00 7F",
     {"0: 01 FF 80 00 20 FF 41 FF 42 24 10: 00 C1 61 58 00 00 0A 00 00 77 00 00 F9 25: C0 1C C0 5A"
      " 45: DE F0 0F",
      "0: E7 38 0F D2 0C 0D 00 00 00 02 10: 05 00 00 6F 00 00 20 00 00 AF 00 00 01 45: 00 12"
      " 51: 21",
      "0: 33 EF E1 D9 80 E0 41 00 00 80 10: 80 C1 61 83 C0 3B 10 7F 00 01 00 00 90 1E 8A"
      " 25: 80 81 82 83 89 8A 8B 8C 0F 10 11 12 1B 1C 1D 20 E0 41 E0 42 45: 8B 96 A0 51: 14"}},
    {"unlisted_values",
     W,
     "0: 96 EA 80 98 C0 F4 DF 0E 8A 9: 00 FF 00 DF 14: DA DF C3 EF 0F 19: 80 80 80 FF 02 09 33 07"
     " 27: 41 42 43 44 7F 1E 80 8F 39: 31 32 00 00 20 00 80 89 51: 1B 59: 7F 65: 1D 67: 59"
     " 68: C0 5A 24 25 1E 8A",
     {"0: AA 55 6A FF 9: 80 10: 00 2C 3B 89 2E 00 E4 00 00 2B 00 00 63 45: 21 43 65 51: FF",
      "0: B1 85 5A 64 20 7F 7F 7F 7F B9 10: 7F 00 00 F7 00 00 FF 00 00 7E 00 00 FF 25: FF 41 FF 42"
      " 45: 1F 2E 3D 4C 51: 6D",
      "0: 76 A0 35 20 03 4A 4B 00 00 04 10: 03 0D 00 2D 00 00 AC 00 00 C5 45: 11 11 11 11 11 11"
      " 51: 2A"}},
};

}  // namespace

std::vector<GoldenCase> GoldenCases() {
  std::vector<GoldenCase> cases{{"factory", {}, W, false}};
  const std::vector<uint8_t> factory = FactoryBytes();
  std::copy(factory.begin(), factory.end(), cases[0].image.bytes.begin());
  for (const Written& w : kWritten) {
    GoldenCase c{w.name, {}, w.keys, false};
    Patch(c.image.bytes.data(), w.image);
    for (int n = 0; n < kEditFormatCount; ++n) Patch(&c.image.bytes[74 + 52 * n], w.formats[n]);
    cases.push_back(c);
  }
  // The same bytes under another interface: its block shows the bytes the first
  // report hid, while the keys are still read as before.
  const std::tuple<const char*, const char*, uint8_t> kSwitched[] = {
      {"rs232_as_wedge", "rs232", 5},
      {"wand_as_rs232", "wand", 0},
      {"wedge_as_wand", "wedge", 250}};
  for (const auto& [name, from, interfaceType] : kSwitched) {
    GoldenCase c = *std::find_if(cases.begin(), cases.end(),
                                 [from](const GoldenCase& g) { return g.name == from; });
    c.name = name;
    c.image.bytes[0] = interfaceType;
    c.switched = true;
    cases.push_back(c);
  }
  return cases;
}
