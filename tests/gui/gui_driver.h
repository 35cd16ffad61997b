// Drives the program's real windows from a GUI test: a fresh main window per
// test, scripted answers to its modal dialogs and message boxes, and a file
// dialog stand-in. GUI tests take the Win32 headers and the shared test
// helpers from here.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <gtest/gtest.h>

#include "tests/test_support.h"
#include "ui/binding.h"
#include "ui/dialog_items.h"

#include <array>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A message box as it was shown.
struct ShownBox {
  std::string caption;
  std::string text;
  bool warningIcon = false;
  bool questionIcon = false;
  bool yesNoCancel = false;
  bool yesNo = false;
  // "CAPTION: TEXT", then " (warning)" or " (question)" for those icons.
  std::string Says() const {
    return caption + ": " + text + (warningIcon ? " (warning)" : "") +
           (questionIcon ? " (question)" : "");
  }
};

// Run on the next modal dialog, property sheet or message box that appears,
// once it is up; it must close the window. A window left open fails the test
// and is closed.
using DialogStep = std::function<void(HWND window)>;

// Presses a button of any dialog or message box (WM_COMMAND with its id).
DialogStep Press(int button);
// Works on a property sheet, then presses PSBTN_OK or PSBTN_CANCEL.
DialogStep OnSheet(std::function<void(HWND sheet)> act, int button);
// The entries of the COM port list.
constexpr int kCom1 = 0, kCom2 = 1, kCom3 = 2, kCom4 = 3, kCom5 = 4, kCom6 = 5;
// Picks a COM port in "COM Port Properties", and the entries of the baud
// rate, data bits, parity and flow control lists (by default 38400, 8 bits, no
// parity, no flow control); then presses OK.
DialogStep ChoosePort(int comPort, std::array<int, 4> line = {0, 1, 0, 0});

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Queues the steps for the dialogs the next command will show, in order.
  void Expect(std::vector<DialogStep> steps);
  // Makes a call that shows the queued dialogs and returns when it has ended;
  // every queued step must have been used.
  void Run(const std::function<void()>& call);
  // Runs a command of the main window.
  void Command(int command);
  // Runs a table's dialog on `target`, as the only page of a sheet or as a
  // modal dialog; `act` works on it, then OK or Cancel closes it, and the
  // runner must report which.
  void OpenTable(const DialogTable& table, std::span<uint8_t> target, bool page,
                 std::function<void(HWND)> act, bool ok = true);

 public:
  // Answers of the file dialogs, in order; nullopt cancels.
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::optional<std::string>> saveAnswers;

  HWND window = nullptr;
  std::string scratch;  // an empty folder of this test, with a trailing backslash
};

// Seen since the test started.
extern std::vector<ShownBox> shownBoxes;
// The captions of the top-level dialogs that appeared, modal or not.
extern std::vector<std::string> shownDialogs;
// The file dialogs asked for, in order: 'o' open, 's' save.
extern std::string fileDialogs;

// WindowText and ItemText (ui/dialog_items.h) read texts; a drop-down list
// reads as its selected entry, or "" when none is.
// The states of several items joined by '|': a check box or radio button as
// "on" or "off", any other item by its text (a drop-down list: its selection).
std::string ItemTexts(HWND dialog, std::initializer_list<int> ids);

// A file of the scanner simulators' folder, seen through Wine's Z: drive;
// without that folder the test fails.
std::string SimulatorPath(const std::string& name);

// The process-wide image's bytes.
std::vector<uint8_t> ImageBytes();

// The state of a dialog's items (check boxes: IsChecked).
inline bool Enabled(HWND d, int id) {
  return IsWindowEnabled(GetDlgItem(d, id));
}
inline bool Shown(HWND d, int id) {
  return IsWindowVisible(GetDlgItem(d, id));
}

// Selects a list entry as the operator would (the selection and CBN_SELCHANGE).
void SelectEntry(HWND dialog, int list, int index);
// Clicks a button as the operator would (BN_CLICKED to its dialog).
void Click(HWND dialog, int button);
// Clicks the cell of `code` in the key grid editor's grid of `columns` columns.
void ClickCell(HWND editor, int columns, int code);
// Replaces an edit's text as the operator's typing would (EN_CHANGE follows).
void TypeText(HWND dialog, int edit, const char* text);
