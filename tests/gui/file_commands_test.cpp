// New, Open, Save, Save As and closing: files, questions, errors and the modified flag.
#include <filesystem>

#include "keycodes/key_code_string.h"
#include "report/settings_report.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "shell/document.h"
#include "tests/gui/gui_driver.h"
#include "tests/test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kTitle = "  Tavrenlok 4860 Scanner Manager";
constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;

std::vector<uint8_t> ImageBytes() {
  return std::vector<uint8_t>(settingsImage.bytes.begin(), settingsImage.bytes.end());
}

std::vector<uint8_t> Patterned() {
  std::vector<uint8_t> bytes(kImageSize);
  for (int i = 0; i < kImageSize; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  bytes[0] = 0;  // RS-232
  return bytes;
}

// A sheet step that notes the image as the sheet opened on it, then cancels.
DialogStep CancelSheet(std::vector<uint8_t>* seen = nullptr) {
  return OnSheet(
      [seen](HWND sheet) {
        EXPECT_EQ(WindowText(sheet), "Reader Settings");
        if (seen) *seen = ImageBytes();
      },
      PSBTN_CANCEL);
}

void ExpectBox(size_t index, const char* caption, const char* text) {
  ASSERT_GT(shownBoxes.size(), index);
  EXPECT_EQ(shownBoxes[index].caption, caption);
  EXPECT_EQ(shownBoxes[index].text, text);
  EXPECT_TRUE(shownBoxes[index].warningIcon);
}

void ExpectSaveQuestion(size_t index, const char* text) {
  ExpectBox(index, kTitle, text);
  EXPECT_TRUE(shownBoxes[index].yesNoCancel);
}

class FileCommands : public GuiTest {
 protected:
  // Gives the image an unsaved change.
  void Change() {
    settingsImage.bytes[8] = 77;
    settingsModified = 1;
  }
  std::string Missing() const { return scratch + "missing\\settings.qrs"; }
};

TEST_F(FileCommands, SaveAsksForANameFirstThenWritesBackWithoutAsking) {
  const std::string path = scratch + "first.qrs";
  saveAnswers.push_back(path);
  settingsModified = 1;
  Command(1030);
  const std::vector<uint8_t> written = ReadWholeFile(path);
  ASSERT_EQ(written.size(), 256u);
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.begin() + 12),
            Hex("01 00 00 22 01 02 92 00 0A D9 25 09"));
  EXPECT_EQ(currentFilePath, path);
  EXPECT_EQ(settingsModified, 0);
  ASSERT_EQ(fileRequests.size(), 1u);
  const FileRequest& asked = fileRequests[0];
  EXPECT_TRUE(asked.save);
  EXPECT_EQ(asked.proposed, "");
  EXPECT_EQ(asked.bufferSize, 260u);
  EXPECT_EQ(asked.flags, kSaveFlags);
  EXPECT_EQ(asked.filter, "Scanner settings (*.qrs)|*.qrs");
  EXPECT_EQ(asked.filterIndex, 1u);
  EXPECT_EQ(asked.defaultExtension, "qrs");

  Change();
  Command(1030);
  EXPECT_EQ(fileRequests.size(), 1u);
  EXPECT_EQ(ReadWholeFile(path), ImageBytes());
  EXPECT_EQ(settingsModified, 0);
  EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(FileCommands, SaveAsForcesTheSuffixByteForByte) {
  const struct {
    const char* chosen;
    const char* saved;
  } cases[] = {{"a.txt", "a.txt.qrs"}, {"b.qrs", "b.qrs"}, {"c.QRS", "c.QRS.qrs"}};
  for (const auto& each : cases) {
    saveAnswers.push_back(scratch + each.chosen);
    Command(1040);
    EXPECT_EQ(currentFilePath, scratch + each.saved);
    EXPECT_EQ(ReadWholeFile(scratch + each.saved), ImageBytes()) << each.saved;
  }
  EXPECT_FALSE(fs::exists(scratch + "a.txt"));
  EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(FileCommands, SaveAsRefusesANameTooLongForThePath) {
  saveAnswers.push_back(scratch + "kept.qrs");
  Command(1040);
  Change();
  // 252 characters, 256 with the suffix: one more than the path holds.
  const std::string chosen = scratch + std::string(252 - scratch.size(), 'n');
  saveAnswers.push_back(chosen);
  Expect({Answer(IDOK)});
  Command(1040);
  ASSERT_EQ(shownBoxes.size(), 1u);
  ExpectBox(0, "Error", "Can't save the settings file!");
  EXPECT_EQ(currentFilePath, scratch + "kept.qrs");
  EXPECT_EQ(settingsModified, 1);
  EXPECT_FALSE(fs::exists(chosen));
  EXPECT_FALSE(fs::exists(chosen + ".qrs"));
}

TEST_F(FileCommands, CancelledSaveAsIsSilentAndChangesNothing) {
  Change();
  saveAnswers.push_back(std::nullopt);
  Command(1040);
  saveAnswers.push_back(std::nullopt);
  Command(1030);
  EXPECT_TRUE(shownBoxes.empty());
  EXPECT_EQ(currentFilePath, "");
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, SaveThatCannotWriteSaysSoAndKeepsTheFlag) {
  Change();
  currentFilePath = Missing();
  Expect({Answer(IDOK)});
  Command(1030);
  saveAnswers.push_back(Missing());
  Expect({Answer(IDOK)});
  Command(1040);
  ASSERT_EQ(shownBoxes.size(), 2u);
  ExpectBox(0, "Error", "Can't save the settings file!");
  ExpectBox(1, "Error", "Can't save the settings file!");
  EXPECT_EQ(settingsModified, 1);
  EXPECT_FALSE(fs::exists(Missing()));
}

TEST_F(FileCommands, OpenReadsTheFileDerivesTheInterfaceAndOpensTheSheet) {
  const std::string path = scratch + "pattern.qrs";
  WriteWholeFile(path, Patterned());
  openAnswers.push_back(path);
  std::vector<uint8_t> inSheet;
  Expect({CancelSheet(&inSheet)});
  Command(1020);
  EXPECT_EQ(inSheet, Patterned());
  EXPECT_EQ(ImageBytes(), Patterned());
  EXPECT_EQ(currentFilePath, path);
  EXPECT_EQ(settingsModified, 0);
  EXPECT_EQ(InterfaceMode, InterfaceKind::Rs232);
  EXPECT_EQ(ReportViewText(), ReportText(settingsImage, InterfaceKind::Rs232));
  ASSERT_EQ(fileRequests.size(), 1u);
  const FileRequest& asked = fileRequests[0];
  EXPECT_FALSE(asked.save);
  EXPECT_EQ(asked.proposed, "");
  EXPECT_EQ(asked.bufferSize, 256u);
  EXPECT_EQ(asked.flags, kOpenFlags);
  EXPECT_EQ(asked.filter, "Scanner settings (*.qrs)|*.qrs");
  EXPECT_EQ(asked.filterIndex, 1u);
  EXPECT_EQ(asked.defaultExtension, "");
}

TEST_F(FileCommands, CancelledOpenProposesTheCurrentPathAndChangesNothing) {
  saveAnswers.push_back(scratch + "current.qrs");
  Command(1040);
  settingsImage.bytes[8] = 5;
  openAnswers.push_back(std::nullopt);
  Command(1020);
  ASSERT_EQ(fileRequests.size(), 2u);
  EXPECT_EQ(fileRequests[1].proposed, scratch + "current.qrs");
  EXPECT_EQ(settingsImage.bytes[8], 5);
  EXPECT_EQ(currentFilePath, scratch + "current.qrs");
  EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(FileCommands, OpenOfAnUnreadableFileKeepsPathAndImageAndSaysSo) {
  saveAnswers.push_back(scratch + "kept.qrs");
  Command(1040);
  const std::vector<uint8_t> before = ImageBytes();
  openAnswers.push_back(scratch + "absent.qrs");
  Expect({Answer(IDOK)});
  Command(1020);
  ASSERT_EQ(shownBoxes.size(), 1u);
  ExpectBox(0, "Error", "Can't open the settings file!");
  EXPECT_EQ(currentFilePath, scratch + "kept.qrs");
  EXPECT_EQ(ImageBytes(), before);
}

TEST_F(FileCommands, NewWithoutChangesResetsForgetsThePathAndOpensTheSheet) {
  const std::string path = scratch + "pattern.qrs";
  WriteWholeFile(path, Patterned());
  openAnswers.push_back(path);
  Expect({CancelSheet()});
  Command(1020);
  std::vector<uint8_t> inSheet;
  Expect({CancelSheet(&inSheet)});
  Command(1010);
  // The reset rewrites bytes 0 to 229; the rest keep the file's values.
  const SettingsImage factory = FactoryImage();
  std::vector<uint8_t> expected(factory.bytes.begin(), factory.bytes.begin() + 230);
  const std::vector<uint8_t> pattern = Patterned();
  expected.insert(expected.end(), pattern.begin() + 230, pattern.end());
  EXPECT_EQ(inSheet, expected);
  EXPECT_EQ(currentFilePath, "");
  EXPECT_EQ(settingsModified, 0);
  EXPECT_EQ(InterfaceMode, InterfaceKind::KeyboardWedge);
  EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(FileCommands, NewWithChangesCancelledChangesNothing) {
  Change();
  Expect({Answer(IDCANCEL)});
  Command(1010);
  ASSERT_EQ(shownBoxes.size(), 1u);
  ExpectSaveQuestion(0, "Save current settings ?");
  EXPECT_EQ(settingsImage.bytes[8], 77);
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, NewWithChangesAnsweredNoResetsWithoutSaving) {
  Change();
  Expect({Answer(IDNO), CancelSheet()});
  Command(1010);
  EXPECT_EQ(settingsImage.bytes, FactoryImage().bytes);
  EXPECT_EQ(settingsModified, 0);
  EXPECT_TRUE(fileRequests.empty());
}

TEST_F(FileCommands, NewWithChangesAnsweredYesSavesFirst) {
  currentFilePath = scratch + "document.qrs";
  Change();
  const std::vector<uint8_t> changed = ImageBytes();
  Expect({Answer(IDYES), CancelSheet()});
  Command(1010);
  EXPECT_EQ(ReadWholeFile(scratch + "document.qrs"), changed);
  EXPECT_EQ(settingsImage.bytes, FactoryImage().bytes);
  EXPECT_EQ(currentFilePath, "");
  EXPECT_EQ(settingsModified, 0);
}

TEST_F(FileCommands, NewStopsWhenTheSaveFailsOrIsCancelled) {
  Change();
  currentFilePath = Missing();
  Expect({Answer(IDYES), Answer(IDOK)});
  Command(1010);
  ASSERT_EQ(shownBoxes.size(), 2u);
  ExpectSaveQuestion(0, "Save current settings ?");
  ExpectBox(1, "Error", "Can't save the settings file!");
  EXPECT_EQ(settingsImage.bytes[8], 77);
  EXPECT_EQ(currentFilePath, Missing());
  EXPECT_EQ(settingsModified, 1);

  currentFilePath.clear();
  saveAnswers.push_back(std::nullopt);
  Expect({Answer(IDYES)});
  Command(1010);
  EXPECT_EQ(shownBoxes.size(), 3u);
  EXPECT_EQ(settingsImage.bytes[8], 77);
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, OpenStopsWhenTheSaveFails) {
  Change();
  currentFilePath = Missing();
  Expect({Answer(IDYES), Answer(IDOK)});
  Command(1020);
  ASSERT_EQ(shownBoxes.size(), 2u);
  ExpectSaveQuestion(0, "Save current settings ?");
  ExpectBox(1, "Error", "Can't save the settings file!");
  EXPECT_TRUE(fileRequests.empty());
  EXPECT_EQ(settingsImage.bytes[8], 77);
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, OpenAnsweredNoThenCancelledKeepsTheChanges) {
  Change();
  openAnswers.push_back(std::nullopt);
  Expect({Answer(IDNO)});
  Command(1020);
  EXPECT_EQ(settingsImage.bytes[8], 77);
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, ClosingWithoutChangesEndsAtOnce) {
  Close();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(FileCommands, ClosingWithChangesAsksAndCancelKeepsTheWindow) {
  Change();
  Expect({Answer(IDCANCEL)});
  Command(1090);
  ASSERT_EQ(shownBoxes.size(), 1u);
  ExpectSaveQuestion(0, "Save the program ?");
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, ClosingKeepsTheWindowWhenTheSaveFailsOrIsCancelled) {
  Change();
  currentFilePath = Missing();
  Expect({Answer(IDYES), Answer(IDOK)});
  Close();
  ASSERT_EQ(shownBoxes.size(), 2u);
  ExpectSaveQuestion(0, "Save the program ?");
  ExpectBox(1, "Error", "Can't save the settings file!");
  EXPECT_TRUE(IsWindow(window));

  currentFilePath.clear();
  saveAnswers.push_back(std::nullopt);
  Expect({Answer(IDYES)});
  Close();
  EXPECT_EQ(shownBoxes.size(), 3u);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, ClosingAnsweredYesSavesThenEnds) {
  Change();
  const std::vector<uint8_t> changed = ImageBytes();
  saveAnswers.push_back(scratch + "closing.qrs");
  Expect({Answer(IDYES)});
  Close();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(ReadWholeFile(scratch + "closing.qrs"), changed);
}

TEST_F(FileCommands, ClosingAnsweredNoEndsWithoutSaving) {
  Change();
  Expect({Answer(IDNO)});
  Close();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(fileRequests.empty());
}

}  // namespace
