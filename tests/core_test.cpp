// The portable core: factory bytes, settings files and their faults, the
// rendering of key sequences, and the quiet time that ends a scan.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "keycodes/key_code_string.h"
#include "link/scan_capture.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tests/test_support.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> BytesOf(const SettingsImage& image) {
  return {image.bytes.begin(), image.bytes.end()};
}

TEST(FactoryDefaults, ResetWritesTheListedBytesUpTo229AndKeepsTheRest) {
  EXPECT_EQ(BytesOf(FactoryImage()), FactoryBytes());
  settingsImage.bytes.fill(0x5A);  // so that every bit the defaults clear is seen cleared
  ResetToFactoryDefaults();
  std::vector<uint8_t> want = FactoryBytes();
  std::fill(want.begin() + 230, want.end(), 0x5A);
  EXPECT_EQ(BytesOf(settingsImage), want);
}

// Files of every length are read by the fuzz target, and by the GUI tests
// through the Win32 file store.
TEST(SettingsFile, MissingFileOrFolderCannotBeReadAndChangesNothing) {
  const std::string dir = MakeScratchDir();
  SettingsImage image = FactoryImage();
  EXPECT_EQ(ReadSettingsFile((dir + "/missing.qrs").c_str(), image), 0);
  EXPECT_EQ(ReadSettingsFile(dir.c_str(), image), 0);
  EXPECT_EQ(image.bytes, FactoryImage().bytes);
}

// Writes under a file size limit of 100 bytes, which cuts the write short;
// Windows has no such limit.
int WriteCutShort([[maybe_unused]] const std::string& path) {
#ifndef _WIN32
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit small{100, saved.rlim_max};
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  const int result = WriteSettingsFile(path.c_str(), FactoryImage());
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  return result;
#endif
  return -1;
}

TEST(SettingsFile, FailedSaveKeepsTheOldFileAndLeavesNoLitter) {
  enum Way { MissingFolder, FolderInTheWay, ReadOnlyFile, CutShort };
  for (const Way way : {MissingFolder, FolderInTheWay, ReadOnlyFile, CutShort}) {
    const std::string dir = MakeScratchDir(), old = dir + "/old.qrs";
    const auto entries = [&dir] {
      return std::distance(fs::recursive_directory_iterator(dir), {});
    };
    WriteWholeFile(old, std::vector<uint8_t>(256, 0x11));
    std::string target = old;
    if (way == MissingFolder) target = dir + "/no/such/x.qrs";
    if (way == FolderInTheWay) fs::create_directories((target = dir + "/in.qrs") + "/way");
    if (way == ReadOnlyFile) fs::permissions(old, fs::perms::owner_read | fs::perms::group_read);
    const auto before = entries();
#ifdef _WIN32
    if (way == CutShort) continue;
#endif
    EXPECT_EQ(
        way == CutShort ? WriteCutShort(target) : WriteSettingsFile(target.c_str(), FactoryImage()),
        0)
        << way;
    EXPECT_EQ(ReadWholeFile(old), std::vector<uint8_t>(256, 0x11)) << way;
    EXPECT_EQ(entries(), before) << way;  // no temporary file left, nothing in the way removed
    fs::permissions(old, fs::perms::owner_all);  // Windows removes no read-only file
  }
}

// Per interface mode, fields (their size is the capacity) and their rendering;
// each rendering knows nothing of the one before. The golden reports show
// plain, modified and scan-code keys in full fields; these are the edges.
const std::vector<std::pair<const char*, const char*>> kKeyCases[] = {
    {{"00 41 42 43", ""},
     {"09 7F", "[HT][Delay]"},
     {"78 7A", "[x][z]"},
     {"1E 1F 8A 8F", "[][][][]"},
     {"C2 62", "[LeftCtrl][b]"},
     {"C4 00 00 00", "[LeftAlt]"},
     {"C0 1C 00 00", "[1C]"},
     {"C0 00 C0 5A", ""}},
    {{"00 41", ""}, {"09 7F", "[HT][DEL]"}},
    {{"00 41", ""}, {"0D 09", "[CR][HT]"}, {"78 7A 20 00", "[x][z][Space]"}},
};

TEST(RenderKeyCodeString, AppendsTheNamesOfTheKeys) {
  for (int mode = 0; mode < 3; ++mode) {
    for (const auto& [bytes, want] : kKeyCases[mode]) {
      std::string text = "<";
      RenderKeyCodeString(Hex(bytes), text, static_cast<InterfaceKind>(mode));
      EXPECT_EQ(text, std::string("<") + want) << bytes << " in mode " << mode;
    }
  }
}

// Four characters of 11 bits: 36.7 ms at 1200 bps, 1.1 ms at 38400.
TEST(ScanQuietMs, IsFourCharacterTimesButAtLeast20MsPlusTheScannersOwnDelay) {
  EXPECT_EQ(ScanQuietMs(1200), 37u);
  EXPECT_EQ(ScanQuietMs(38400), 20u);
  EXPECT_EQ(ScanQuietMs(2400, 50), 70u);  // 18.3 ms is below the least
}

}  // namespace
