// Settings files: exact bytes, faults that must not damage anything, the Save As name.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "tests/test_support.h"

#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

SettingsImage Patterned() {
  SettingsImage image;
  for (int i = 0; i < kImageSize; ++i) image.bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  return image;
}

TEST(SettingsFile, SavedDefaultsAreExactly256Bytes) {
  const std::string path = MakeScratchDir() + "/defaults.qrs";
  ASSERT_EQ(WriteSettingsFile(path.c_str(), FactoryImage()), 1);
  const std::vector<uint8_t> bytes = ReadWholeFile(path);
  ASSERT_EQ(bytes.size(), 256u);
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 12),
            Hex("01 00 00 22 01 02 92 00 0A D9 25 09"));
}

TEST(SettingsFile, RoundTripsEveryByte) {
  const std::string path = MakeScratchDir() + "/pattern.qrs";
  const SettingsImage written = Patterned();
  ASSERT_EQ(WriteSettingsFile(path.c_str(), written), 1);
  SettingsImage read;
  ASSERT_EQ(ReadSettingsFile(path.c_str(), read), 1);
  EXPECT_EQ(read.bytes, written.bytes);
}

TEST(SettingsFile, ShortFileReplacesOnlyItsLeadingBytes) {
  const std::string path = MakeScratchDir() + "/short.qrs";
  WriteWholeFile(path, std::vector<uint8_t>(100, 0xAB));
  SettingsImage image = FactoryImage();
  const SettingsImage before = image;
  ASSERT_EQ(ReadSettingsFile(path.c_str(), image), 1);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(image.bytes[i], 0xAB);
  for (int i = 100; i < 256; ++i) ASSERT_EQ(image.bytes[i], before.bytes[i]);
}

TEST(SettingsFile, LongFileGivesOnlyItsFirst256Bytes) {
  const std::string path = MakeScratchDir() + "/long.qrs";
  std::vector<uint8_t> bytes(300);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i);
  WriteWholeFile(path, bytes);
  SettingsImage image;
  ASSERT_EQ(ReadSettingsFile(path.c_str(), image), 1);
  EXPECT_EQ(image.bytes[255], 255);
  EXPECT_EQ(image.bytes[0], 0);
}

TEST(SettingsFile, UnreadableFileLeavesTheImage) {
  const std::string dir = MakeScratchDir();
  SettingsImage image = Patterned();
  EXPECT_EQ(ReadSettingsFile((dir + "/missing.qrs").c_str(), image), 0);
  EXPECT_EQ(ReadSettingsFile(dir.c_str(), image), 0);  // a folder cannot be read as a file
  EXPECT_EQ(image.bytes, Patterned().bytes);
}

TEST(SettingsFile, WriteIntoMissingFolderFails) {
  const std::string path = MakeScratchDir() + "/no/such/folder/x.qrs";
  EXPECT_EQ(WriteSettingsFile(path.c_str(), FactoryImage()), 0);
  EXPECT_FALSE(fs::exists(path));
}

TEST(SettingsFile, FailedSaveKeepsTheOldFileAndLeavesNoLitter) {
  const std::string dir = MakeScratchDir();
  const std::string path = dir + "/keep.qrs";
  const std::vector<uint8_t> old(256, 0x11);
  WriteWholeFile(path, old);
  // The target's name is taken by a folder with content: replacing it must
  // fail and leave it, like any unwritable target, exactly as it was.
  const std::string blocked = dir + "/blocked.qrs";
  fs::create_directories(blocked + "/inside");
  EXPECT_EQ(WriteSettingsFile(blocked.c_str(), FactoryImage()), 0);
  EXPECT_TRUE(fs::is_directory(blocked + "/inside"));
  EXPECT_EQ(ReadWholeFile(path), old);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
  EXPECT_EQ(entries, 2);  // keep.qrs and blocked.qrs, no temporary file left
}

TEST(SettingsFile, ReadOnlyTargetIsNotReplaced) {
  const std::string path = MakeScratchDir() + "/readonly.qrs";
  const std::vector<uint8_t> old(256, 0x22);
  WriteWholeFile(path, old);
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_EQ(WriteSettingsFile(path.c_str(), FactoryImage()), 0);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ReadWholeFile(path), old);
}

#ifndef _WIN32
TEST(SettingsFile, WriteThatFailsMidwayKeepsTheOldFile) {
  const std::string dir = MakeScratchDir();
  const std::string path = dir + "/midway.qrs";
  const std::vector<uint8_t> old(256, 0x33);
  WriteWholeFile(path, old);
  // A file size limit below 256 bytes cuts the write short.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 100;
  signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int result = WriteSettingsFile(path.c_str(), FactoryImage());
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, SIG_DFL);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadWholeFile(path), old);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir)) ++entries;
  EXPECT_EQ(entries, 1);
}
#endif

TEST(SaveAsName, ForcesTheSuffixByteForByte) {
  EXPECT_EQ(SaveAsPath("a.qrs"), "a.qrs");
  EXPECT_EQ(SaveAsPath("a"), "a.qrs");
  EXPECT_EQ(SaveAsPath("a.txt"), "a.txt.qrs");
  EXPECT_EQ(SaveAsPath("a.QRS"), "a.QRS.qrs");
  EXPECT_EQ(SaveAsPath("dir.qrs/settings"), "dir.qrs/settings.qrs");
  EXPECT_EQ(SaveAsPath(""), std::nullopt);
}

TEST(SaveAsName, RefusesNamesThatDoNotFit) {
  EXPECT_EQ(SaveAsPath(std::string(251, 'x')), std::string(251, 'x') + ".qrs");
  EXPECT_EQ(SaveAsPath(std::string(252, 'x')), std::nullopt);
  EXPECT_EQ(SaveAsPath(std::string(251, 'x') + ".qrs")->size(), 255u);
  EXPECT_EQ(SaveAsPath(std::string(252, 'x') + ".qrs"), std::nullopt);
}

TEST(CurrentPath, SaveAsSetsItAndOpenOnlyWhenTheFileWasRead) {
  const std::string dir = MakeScratchDir();
  settingsImage = Patterned();
  currentFilePath.clear();
  ASSERT_EQ(SaveSettingsAsPath(dir + "/first.txt"), 1);
  EXPECT_EQ(currentFilePath, dir + "/first.txt.qrs");
  EXPECT_EQ(ReadWholeFile(currentFilePath).size(), 256u);

  ResetToFactoryDefaults();
  EXPECT_EQ(OpenSettingsPath(dir + "/missing.qrs"), 0);
  EXPECT_EQ(currentFilePath, dir + "/first.txt.qrs");
  EXPECT_EQ(settingsImage.bytes[0], 0x01);

  ASSERT_EQ(OpenSettingsPath(dir + "/first.txt.qrs"), 1);
  EXPECT_EQ(settingsImage.bytes, Patterned().bytes);
}

TEST(CurrentPath, OverlongSaveAsNameChangesNothing) {
  currentFilePath = "kept.qrs";
  const std::string dir = MakeScratchDir();
  EXPECT_EQ(SaveSettingsAsPath(dir + "/" + std::string(260, 'n')), 0);
  EXPECT_EQ(currentFilePath, "kept.qrs");
}

}  // namespace
