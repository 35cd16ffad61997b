// Start-up, New, Open, Save, Save As and closing: files, questions, errors
// and the modified flag.
#include <filesystem>

#include "keycodes/key_code_string.h"
#include "report/settings_report.h"
#include "resources/resource_ids.h"
#include "settings/factory_defaults.h"
#include "settings/settings_file.h"
#include "shell/document.h"
#include "shell/report_view.h"
#include "tests/gui/gui_driver.h"
#include "tests/test_support.h"

namespace {

namespace fs = std::filesystem;

// A sheet step that notes the image as the sheet opened on it, then cancels.
DialogStep CancelSheet(std::vector<uint8_t>* seen = nullptr) {
  return OnSheet(
      [seen](HWND) {
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

class FileCommands : public GuiTest {
 protected:
  // Gives the image an unsaved change.
  void Change() {
    settingsImage.bytes[8] = 77;
    settingsModified = 1;
  }
  std::string Missing() const { return scratch + "missing\\settings.qrs"; }
};

TEST_F(FileCommands, StartsOnTheFactoryImageAndItsReport) {
  EXPECT_EQ(settingsImage.bytes, FactoryImage().bytes);
  EXPECT_EQ(ReportViewText(), ReportText(FactoryImage(), InterfaceKind::KeyboardWedge));
  EXPECT_EQ(SendMessageA(reportEdit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(settingsModified, 0);
}

TEST_F(FileCommands, SaveAsksForANameOnceAndForcesTheSuffix) {
  saveAnswers.push_back(scratch + "first.txt");
  Command(IDM_SAVE);
  const std::string path = scratch + "first.txt.qrs";
  const std::vector<uint8_t> written = ReadWholeFile(path);
  ASSERT_EQ(written.size(), 256u);
  EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.begin() + 12),
            Hex("01 00 00 22 01 02 92 00 0A D9 25 09"));
  EXPECT_EQ(currentFilePath, path);
  EXPECT_EQ(fileDialogs, "s");
  Change();
  Command(IDM_SAVE);  // no second question
  EXPECT_EQ(ReadWholeFile(path), ImageBytes());
  EXPECT_EQ(settingsModified, 0);
  saveAnswers.push_back(scratch + "b.qrs");
  Command(IDM_SAVE_AS);
  EXPECT_TRUE(fs::exists(scratch + "b.qrs"));
  EXPECT_FALSE(fs::exists(scratch + "first.txt"));
  EXPECT_TRUE(shownBoxes.empty());
}

TEST_F(FileCommands, SaveThatCannotWriteSaysSoAndKeepsTheFlag) {
  saveAnswers.push_back(scratch + "kept.qrs");
  Command(IDM_SAVE_AS);
  Change();
  // 252 characters, 256 with the suffix: one more than the path holds.
  const std::string tooLong = scratch + std::string(252 - scratch.size(), 'n');
  for (const std::string& chosen : {tooLong, Missing()}) {
    saveAnswers.push_back(chosen);
    Expect({Answer(IDOK)});
    Command(IDM_SAVE_AS);
    EXPECT_FALSE(fs::exists(chosen + ".qrs"));
    if (chosen == tooLong) {
      EXPECT_EQ(currentFilePath, scratch + "kept.qrs");
    }
  }
  ExpectBox(1, "Error", "Can't save the settings file!");
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, OpenReplacesTheImageAndOpensTheSheetOnIt) {
  std::vector<uint8_t> pattern(kImageSize);
  for (int i = 0; i < kImageSize; ++i) pattern[i] = static_cast<uint8_t>(i * 7 + 3);
  pattern[0] = 0;  // RS-232
  WriteWholeFile(scratch + "pattern.qrs", pattern);
  openAnswers.push_back(scratch + "pattern.qrs");
  std::vector<uint8_t> inSheet;
  Expect({CancelSheet(&inSheet)});
  Command(IDM_OPEN);
  EXPECT_EQ(inSheet, pattern);
  EXPECT_EQ(currentFilePath, scratch + "pattern.qrs");
  EXPECT_EQ(settingsModified, 0);
  EXPECT_EQ(ReportViewText(), ReportText(settingsImage, InterfaceKind::Rs232));

  // New resets bytes 0 to 229 and forgets the path; the rest keep the file's values.
  Expect({CancelSheet(&inSheet)});
  Command(IDM_NEW);
  const SettingsImage factory = FactoryImage();
  std::vector<uint8_t> expected(factory.bytes.begin(), factory.bytes.begin() + 230);
  expected.insert(expected.end(), pattern.begin() + 230, pattern.end());
  EXPECT_EQ(inSheet, expected);
  EXPECT_EQ(currentFilePath, "");

  openAnswers.push_back(scratch + "absent.qrs");
  Expect({Answer(IDOK)});
  Command(IDM_OPEN);
  ExpectBox(0, "Error", "Can't open the settings file!");
  EXPECT_EQ(ImageBytes(), expected);
}

// The save question before New, Open and closing, answered each way.
enum class Reply { Cancel, No, Yes, YesButSaveFails, YesButSaveAsCancelled };
struct Question {
  int command;
  const char* text;
};
class SaveFirst : public FileCommands,
                  public ::testing::WithParamInterface<std::tuple<Question, Reply>> {};

TEST_P(SaveFirst, GoesOnOnlyWhenTheChangesAreSavedOrGivenUp) {
  const auto [question, reply] = GetParam();
  Change();
  const std::vector<uint8_t> changed = ImageBytes();
  currentFilePath = reply == Reply::YesButSaveFails         ? Missing()
                    : reply == Reply::YesButSaveAsCancelled ? ""
                                                            : scratch + "document.qrs";
  if (reply == Reply::YesButSaveAsCancelled) saveAnswers.push_back(std::nullopt);
  const bool goesOn = reply == Reply::No || reply == Reply::Yes;
  std::vector<DialogStep> steps = {Answer(reply == Reply::Cancel ? IDCANCEL
                                          : reply == Reply::No   ? IDNO
                                                                 : IDYES)};
  if (reply == Reply::YesButSaveFails) steps.push_back(Answer(IDOK));
  if (goesOn && question.command == IDM_NEW) steps.push_back(CancelSheet());
  if (goesOn && question.command == IDM_OPEN) openAnswers.push_back(std::nullopt);
  Expect(steps);
  Command(question.command);

  EXPECT_EQ(shownBoxes[0].caption, "  Tavrenlok 4860 Scanner Manager");
  EXPECT_EQ(shownBoxes[0].text, question.text);
  EXPECT_TRUE(shownBoxes[0].yesNoCancel);
  if (reply == Reply::YesButSaveFails) ExpectBox(1, "Error", "Can't save the settings file!");
  EXPECT_EQ(fs::exists(scratch + "document.qrs"), reply == Reply::Yes);
  if (reply == Reply::Yes) {
    EXPECT_EQ(ReadWholeFile(scratch + "document.qrs"), changed);
  }
  // Going on: the window ends, the image is reset, the open dialog is shown.
  const bool wentOn = question.command == IDM_EXIT  ? !IsWindow(window)
                      : question.command == IDM_NEW ? settingsImage.bytes[8] != 77
                                                    : fileDialogs.ends_with('o');
  EXPECT_EQ(wentOn, goesOn);
  if (!goesOn || reply == Reply::Yes) {
    EXPECT_EQ(settingsModified, goesOn ? 0 : 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SaveFirst,
    ::testing::Combine(::testing::Values(Question{IDM_NEW, "Save current settings ?"},
                                         Question{IDM_OPEN, "Save current settings ?"},
                                         Question{IDM_EXIT, "Save the program ?"}),
                       ::testing::Values(Reply::Cancel, Reply::No, Reply::Yes,
                                         Reply::YesButSaveFails, Reply::YesButSaveAsCancelled)));

}  // namespace
