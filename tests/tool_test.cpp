// skelv as a user runs it: get, set and diff on settings files; the report,
// and files that are no settings file; and usage errors of every command.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/report/golden_images.h"
#include "tests/report/golden_report.h"
#include "tests/test_support.h"

namespace {

std::string FactoryFile(const std::string& dir, const std::string& name = "f.qrs") {
  WriteWholeFile(dir + "/" + name, FactoryBytes());
  return dir + "/" + name;
}

// Per command; the first are no command at all.
const std::vector<const char*> kMisuses[] = {
    {"", "frobnicate"},
    {"defaults", "defaults -o", "defaults --bogus x", "defaults -o a b"},
    {"report", "report x.qrs --keys", "report x.qrs --keys usb", "report x.qrs y.qrs"},
    {"download", "download x.qrs", "download x.qrs --port", "download x.qrs --port p --baud 300",
     "download x.qrs --port p --parity mark", "download x.qrs --port p --data-bits 9",
     "download x.qrs --port p --flow rts", "download x.qrs --port p --line 9600"},
    {"read --port p", "read -o x.qrs", "read --port p -o x.qrs extra", "read --port p --bogus 1"},
    {"simulate --reply maybe", "simulate --stall-block 16", "simulate --version V --no-version",
     "simulate --delay-ms x", "simulate extra", "simulate --baud 300"},
    {"probe", "probe --port p --flow none", "probe --port p --line auto", "probe extra --port p"},
    {"get", "get x.qrs noSuchField", "set x.qrs", "diff x.qrs", "diff a b c", "diff a b --port p",
     "download x.qrs --port p --log", "ports --bogus"},
};

TEST(SkelvUsage, MisuseIsOneLineAndStatusTwo) {
  for (const std::vector<const char*>& misuses : kMisuses) {
    for (const char* args : misuses) {
      const Outcome o = RunSkelv(args);
      EXPECT_EQ(std::tie(o.status, o.out), std::tuple(2, "")) << args;
      EXPECT_EQ(o.errLines(), 1) << args << ": " << o.err;
      EXPECT_TRUE(!std::strstr(args, "--bogus") || o.err.find("--bogus") != std::string::npos)
          << o.err;
    }
  }
}

// The factory image, and an image whose every byte holds its offset (RS-232),
// as get prints them, written out from the byte map.
TEST(SkelvGet, PrintsEveryFieldInImageOrder) {
  std::vector<uint8_t> offsets(256);
  for (int i = 0; i < 256; ++i) offsets[i] = static_cast<uint8_t>(i);
  const std::string dir = MakeScratchDir();
  for (const auto& [name, bytes] : {std::pair{"factory", FactoryBytes()}, {"offsets", offsets}}) {
    std::ifstream golden(SKELV_TESTS_DIR "/" + std::string(name) + "_get.txt");
    WriteWholeFile(dir + "/x.qrs", bytes);
    EXPECT_EQ(RunSkelv("get " + dir + "/x.qrs").Said(),
              "[0] " + std::string(std::istreambuf_iterator<char>(golden), {}))
        << name;
  }
}

// Assignments onto the factory file in the forms get does not print (numbers
// for named values, 1 for on, spaces, hexadecimal keys, the key mode changed
// in the same call): the bytes they leave ("OFFSET: hex ...", everything else
// as before) and lines get prints for them. Every form get prints is set back
// by the round trip below.
const std::tuple<const char*, const char*, const char*> kSetCases[] = {
    {"baudRate=5", "3: 25", "baudRate = 1200"},
    {"scanningMode=9 capsLockType=1", "1: 02 4: 91", "capsLockType = 1\nscanningMode = 9"},
    {"'capsLockType=Capital Lock' buzzerOff=on negativeBarcode=1", "1: 04 4: 0D",
     "capsLockType = Capital Lock\nbuzzerFrequency = 4 kHz\nbuzzerOff = on\nnegativeBarcode = on"},
    {"'prefix=[Shift][a][F1]' 'suffix = [1C][5A]'", "27: C1 61 0F 00 C0 1C C0 5A",
     "prefix = [Shift][a][F1]\nsuffix = [1C][5A]"},
    {"'suffix=[CR][LF]' interfaceType=RS-232", "0: 00 31: 0D 0A 00 00", "suffix = [CR][LF]"},
    {"prefix=0x0D1E0000 substitutions[2].fromCode=65", "27: 0D 1E 00 00 70: 41",
     "prefix = 0x0D1E0000\nsubstitutions[2].fromCode = 65"},
};

TEST(SkelvSet, EachKindOfFieldStoresItsBitsAndGetPrintsThemBack) {
  const std::string dir = MakeScratchDir();
  for (const auto& [assignments, bytes, printed] : kSetCases) {
    const std::string file = FactoryFile(dir);
    const Outcome set = RunSkelv("set " + file + " " + assignments);
    EXPECT_EQ(set.status, 0) << assignments << ": " << set.err;
    std::vector<uint8_t> expected = FactoryBytes();
    Patch(expected.data(), bytes);
    EXPECT_EQ(ReadWholeFile(file), expected) << assignments;
    const std::string got = "\n" + RunSkelv("get " + file).out;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);)
      EXPECT_NE(got.find("\n" + line + "\n"), std::string::npos) << line;
  }
}

// get of any image, set onto any other, gives every bit but the reserved ones
// (byte 5 B0, 67 D4, each format's last byte F0, 230 to 255) and reads the same.
TEST(SkelvSet, GetOfAnyImageSetOntoAnotherReproducesEveryField) {
  const std::string dir = MakeScratchDir();
  uint32_t seed = 7;
  const auto image = [&seed](uint8_t first) {
    std::vector<uint8_t> bytes(256);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>((seed = seed * 1103515245 + 12345) >> 16);
    bytes[0] = first;
    return bytes;
  };
  std::vector<uint8_t> reserved(256, 0);
  reserved[5] = 0xB0, reserved[67] = 0xD4, reserved[125] = reserved[177] = reserved[229] = 0xF0;
  std::fill(reserved.begin() + 230, reserved.end(), 0xFF);
  for (const uint8_t first : {0x00, 0xFA, 0x07, 0x40}) {
    const std::vector<uint8_t> from = image(first), onto = image(first);
    WriteWholeFile(dir + "/from.qrs", from);
    WriteWholeFile(dir + "/onto.qrs", onto);
    const Outcome got = RunSkelv("get " + dir + "/from.qrs");
    WriteWholeFile(dir + "/list", {got.out.begin(), got.out.end()});
    const Outcome set = RunSkelv("set " + dir + "/onto.qrs --from -", "", dir + "/list");
    EXPECT_EQ(set.status, 0) << set.err;
    std::vector<uint8_t> expected(256);
    for (int i = 0; i < 256; ++i) expected[i] = (from[i] & ~reserved[i]) | (onto[i] & reserved[i]);
    EXPECT_EQ(ReadWholeFile(dir + "/onto.qrs"), expected) << int(first);
    EXPECT_EQ(RunSkelv("get " + dir + "/onto.qrs").out, got.out);
  }
}

// Each refused assignment is one line; nothing is written when any is refused.
TEST(SkelvSet, RefusesBadValuesWithOneLineEachAndWritesNothing) {
  const std::pair<const char*, const char*> kRefusals[] = {
      {"scanTimeout=256", "scanTimeout: \"256\" is refused; it takes a number from 0 to 255\n"},
      {"scanningMode=Fast", "scanningMode: \"Fast\" is refused; it takes one of \"Auto Off\", "},
      {"buzzerOff=maybe", "buzzerOff: \"maybe\" is refused; it takes one of \"off\", \"on\", "},
      {"'suffix=[Foo]'", "suffix: \"[Foo]\" is refused: [Foo] names no key; it takes key names "},
      {"'prefix=[A][B][C][D][E]'", "prefix: \"[A][B][C][D][E]\" is refused: needs 5 bytes;"},
      {"'codeIds.msi=[Shift]'", "codeIds.msi: \"[Shift]\" is refused: modifiers need a key"},
      {"interfaceType=RS-232 'suffix=[Enter]'", "suffix: \"[Enter]\" is refused: [Enter] names no"},
      {"'editFormats[1].sequence=[F7]'", "editFormats[1].sequence: \"[F7]\" is refused: "},
      {"scanningMode=Continuous bogus=1", "bogus: no such field\n"},
      {"scanningMode=Continuous x", "\"x\": not NAME=VALUE\n"},
  };
  const std::string file = FactoryFile(MakeScratchDir());
  for (const auto& [assignments, line] : kRefusals) {
    const Outcome o = RunSkelv("set " + file + " " + assignments);
    EXPECT_EQ(o.status, 2) << assignments;
    EXPECT_EQ(o.errLines(), 1) << o.err;
    EXPECT_EQ(o.err.substr(0, 11 + std::string(line).size()), "skelv set: " + std::string(line));
  }
  EXPECT_EQ(ReadWholeFile(file), FactoryBytes());
}

TEST(SkelvDiff, PrintsTheDifferingFieldsWithStatusOneAndReadsJson) {
  const std::string dir = MakeScratchDir(), a = FactoryFile(dir, "a.qrs");
  std::vector<uint8_t> bytes = FactoryBytes();
  bytes[4] = 0x11, bytes[31] = 0, bytes[230] = 0x5A, bytes[254] = 0x33;
  WriteWholeFile(dir + "/b.qrs", bytes);
  EXPECT_EQ(RunSkelv("diff " + a + " " + dir + "/b.qrs").Said(),
            "[1] scanningMode: Auto Off -> Continuous\nsuffix: [Enter] -> (empty)\n"
            "reserved[230]: 0x00 -> 0x5A\n");
  bytes = FactoryBytes();
  bytes[255] = 0x12;  // the checksum pair is not compared
  WriteWholeFile(dir + "/b.qrs", bytes);
  EXPECT_EQ(RunSkelv("diff " + a + " " + dir + "/b.qrs").Said(), "[0] ");
  EXPECT_EQ(RunSkelv("diff " + a + " " + dir + "/none.qrs").status, 2);
  EXPECT_EQ(RunSkelv("get --json " + a + " scanTimeout buzzerOff scanningMode suffix").out,
            "{\n  \"buzzerOff\": false,\n  \"scanningMode\": \"Auto Off\",\n  \"scanTimeout\": 10,"
            "\n  \"suffix\": \"[Enter]\"\n}\n");
}

// The golden reports byte for byte on stdout, key mode from byte 0 or from
// --keys.
TEST(SkelvReport, PrintsTheGoldenReports) {
  const std::string dir = MakeScratchDir();
  const char* const keys[] = {"wedge", "rs232", "wand"};
  for (const GoldenCase& c : GoldenCases()) {
    const std::string path = dir + "/" + c.name + ".qrs";
    WriteWholeFile(path, {c.image.bytes.begin(), c.image.bytes.end()});
    const std::string given = std::string(" --keys ") + keys[static_cast<int>(c.keys)];
    // Without --keys the keys are read as byte 0 says.
    for (const std::string& option : {given, c.switched ? given : std::string()})
      EXPECT_EQ(RunSkelv("report " + path + option).Said(),
                "[0] " + std::string(GoldenReport(c.name)))
          << c.name << option;
  }
}

TEST(SkelvReport, FilesThatAreNoSettingsFileFail) {
  const std::string dir = MakeScratchDir();
  WriteWholeFile(dir + "/short.qrs", std::vector<uint8_t>(255, 0x01));
  WriteWholeFile(dir + "/long.qrs", std::vector<uint8_t>(257, 0x01));
  WriteWholeFile(dir + "/empty.qrs", {});
  for (const std::string name : {"missing.qrs", "short.qrs", "long.qrs", "empty.qrs", "."}) {
    const Outcome o = RunSkelv("report " + dir + "/" + name);
    EXPECT_EQ(std::tie(o.status, o.out), std::tuple(1, "")) << name;
    EXPECT_EQ(o.errLines(), 1) << name << ": " << o.err;
    EXPECT_NE(o.err.find(dir + "/" + name), std::string::npos) << o.err;
  }
}

}  // namespace
