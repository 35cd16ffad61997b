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
#include "tests/report/golden_report.h"

namespace {

using Bytes = std::vector<uint8_t>;

namespace fs = std::filesystem;

// A sheet step that notes the image as the sheet opened on it, then cancels.
DialogStep CancelSheet(Bytes& seen) {
  return OnSheet([&seen](HWND) { seen = ImageBytes(); }, PSBTN_CANCEL);
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

// The program starts unmodified on the factory image, which Save writes out.
TEST_F(FileCommands, StartsOnTheFactoryImageAndSaveAsksForANameOnceAndForcesTheSuffix) {
  EXPECT_EQ(WindowText(reportEdit), GoldenReport("factory"));
  EXPECT_EQ(settingsModified, 0);
  saveAnswers.push_back(scratch + "first.txt");
  Command(IDM_SAVE);
  const std::string path = scratch + "first.txt.qrs";
  EXPECT_EQ(ReadWholeFile(path), FactoryBytes());
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
    Expect({Press(IDOK)});
    Command(IDM_SAVE_AS);
    // A name too long changes nothing; any other becomes the current path.
    EXPECT_EQ(currentFilePath, chosen == tooLong ? scratch + "kept.qrs" : chosen);
  }
  EXPECT_EQ(shownBoxes.at(1).Says(), "Error: Can't save the settings file! (warning)");
  // Nothing new in the folder: no file, no folder made for the missing one.
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch), {}), 1);
  EXPECT_EQ(settingsModified, 1);
}

TEST_F(FileCommands, OpenReplacesTheImageAndOpensTheSheetOnIt) {
  Bytes pattern(300);  // of which the first 256 bytes are read
  for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = static_cast<uint8_t>(i * 7 + 3);
  pattern[0] = 0;  // RS-232
  WriteWholeFile(scratch + "pattern.qrs", pattern);
  pattern.resize(kImageSize);
  openAnswers.push_back(scratch + "pattern.qrs");
  Bytes inSheet;
  Expect({CancelSheet(inSheet)});
  Command(IDM_OPEN);
  EXPECT_EQ(inSheet, pattern);
  EXPECT_EQ(currentFilePath, scratch + "pattern.qrs");
  EXPECT_EQ(settingsModified, 0);
  EXPECT_EQ(WindowText(reportEdit), ReportText(settingsImage, InterfaceKind::Rs232));

  // New resets bytes 0 to 229 and forgets the path; the rest keep the file's values.
  Expect({CancelSheet(inSheet)});
  Command(IDM_NEW);
  const SettingsImage factory = FactoryImage();
  Bytes expected(factory.bytes.begin(), factory.bytes.begin() + 230);
  expected.insert(expected.end(), pattern.begin() + 230, pattern.end());
  EXPECT_EQ(inSheet, expected);
  EXPECT_EQ(currentFilePath, "");

  openAnswers.push_back(scratch + "absent.qrs");
  Expect({Press(IDOK)});
  Command(IDM_OPEN);
  EXPECT_EQ(shownBoxes.at(0).Says(), "Error: Can't open the settings file! (warning)");
  EXPECT_EQ(ImageBytes(), expected);
}

// The save question before New, Open and closing, answered each way.
enum class Reply { Cancel, No, Yes, YesButSaveFails, YesButSaveAsCancelled };
using Question = std::pair<int, const char*>;  // the command, and the question it asks
class SaveFirst : public FileCommands,
                  public ::testing::WithParamInterface<std::tuple<Question, Reply>> {};

TEST_P(SaveFirst, GoesOnOnlyWhenTheChangesAreSavedOrGivenUp) {
  const auto [question, reply] = GetParam();
  const auto [command, text] = question;
  Change();
  const Bytes changed = ImageBytes();
  currentFilePath = reply == Reply::YesButSaveFails         ? Missing()
                    : reply == Reply::YesButSaveAsCancelled ? ""
                                                            : scratch + "document.qrs";
  if (reply == Reply::YesButSaveAsCancelled) saveAnswers.push_back(std::nullopt);
  const bool goesOn = reply == Reply::No || reply == Reply::Yes;
  std::vector<DialogStep> steps = {Press(reply == Reply::Cancel ? IDCANCEL
                                         : reply == Reply::No   ? IDNO
                                                                : IDYES)};
  if (reply == Reply::YesButSaveFails) steps.push_back(Press(IDOK));
  if (goesOn && command == IDM_NEW) steps.push_back(OnSheet([](HWND) {}, PSBTN_CANCEL));
  if (goesOn && command == IDM_OPEN) openAnswers.push_back(std::nullopt);
  Expect(steps);
  Command(command);

  EXPECT_EQ(shownBoxes.at(0).Says(),
            std::string("  Tavrenlok 4860 Scanner Manager: ") + text + " (warning)");
  EXPECT_TRUE(shownBoxes[0].yesNoCancel);
  // A second box only when the save fails.
  EXPECT_EQ(
      shownBoxes.size() > 1 ? shownBoxes[1].Says() : "",
      reply == Reply::YesButSaveFails ? "Error: Can't save the settings file! (warning)" : "");
  EXPECT_EQ(fs::exists(scratch + "document.qrs"), reply == Reply::Yes);
  if (reply == Reply::Yes) {
    EXPECT_EQ(ReadWholeFile(scratch + "document.qrs"), changed);
  }
  // Going on: the window ends, the image is reset, the open dialog is shown.
  const bool wentOn = command == IDM_EXIT  ? !IsWindow(window)
                      : command == IDM_NEW ? settingsImage.bytes[8] != 77
                                           : fileDialogs.ends_with('o');
  EXPECT_EQ(wentOn, goesOn);
  if (!goesOn || reply == Reply::Yes) {
    EXPECT_EQ(settingsModified, goesOn ? 0 : 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SaveFirst,
    ::testing::Combine(::testing::Values(Question(IDM_NEW, "Save current settings ?"),
                                         Question(IDM_OPEN, "Save current settings ?"),
                                         Question(IDM_EXIT, "Save the program ?")),
                       ::testing::Values(Reply::Cancel, Reply::No, Reply::Yes,
                                         Reply::YesButSaveFails, Reply::YesButSaveAsCancelled)));

}  // namespace
