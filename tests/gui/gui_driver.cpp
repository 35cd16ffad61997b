// The GUI test driver: a CBT hook notes each dialog as it appears, a thread
// timer (served by the dialogs' own modal loops) runs the next step on it.
#include "tests/gui/gui_driver.h"

#include <cstdlib>
#include <cstring>
#include <set>

#include "keycodes/key_code_string.h"
#include "link/port_settings.h"
#include "link/transfer.h"
#include "resources/resource_ids.h"
#include "settings/settings_file.h"
#include "shell/main_window.h"
#include "shell/settings_dialogs.h"

std::vector<ShownBox> shownBoxes;
std::vector<std::string> shownDialogs;
std::string fileDialogs;

namespace {

constexpr int kMessageBoxText = 0xFFFF;  // the static that holds a message box's text
constexpr UINT kTickMs = 20;
// Ticks a window may stay open after its step before it counts as left open.
constexpr int kTicksToClose = 250;

HHOOK hook = nullptr;
// The program's own calls, put back after each test.
const FileDialogFunction programOpenDialog = showOpenDialog;
const FileDialogFunction programSaveDialog = showSaveDialog;
UINT_PTR timer = 0;
GuiTest* running = nullptr;
std::deque<DialogStep> steps;
std::deque<HWND> appeared;
std::set<HWND> seen;
bool inStep = false;
HWND handled = nullptr;  // the window the last step ran on
int ticksOpen = 0;

bool IsTopLevelDialog(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return std::strcmp(name, "#32770") == 0 && !(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

bool ShowsIcon(HWND box, LPCSTR icon) {
  const HICON wanted = LoadIconA(nullptr, icon);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == wanted) return true;
  return false;
}

void NoteMessageBox(HWND box) {
  const bool yesNo = GetDlgItem(box, IDYES) && GetDlgItem(box, IDNO);
  const bool cancel = GetDlgItem(box, IDCANCEL);
  shownBoxes.push_back({WindowText(box), ItemText(box, kMessageBoxText),
                        ShowsIcon(box, IDI_WARNING), ShowsIcon(box, IDI_QUESTION), yesNo && cancel,
                        yesNo && !cancel});
}

LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam) {
  HWND window = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && IsTopLevelDialog(window) && seen.insert(window).second) {
    shownDialogs.push_back(WindowText(window));
    if (GetDlgItem(window, kMessageBoxText)) NoteMessageBox(window);
    appeared.push_back(window);
  } else if (code == HCBT_DESTROYWND) {
    seen.erase(window);
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

// Closes a window the test did not expect, so that it fails instead of hanging.
void CloseUnexpected(HWND window, const char* why) {
  ADD_FAILURE() << why << " \"" << WindowText(window) << "\"";
  if (PropSheet_GetCurrentPageHwnd(window))
    PropSheet_PressButton(window, PSBTN_CANCEL);
  else
    EndDialog(window, IDCANCEL);
}

// A step may open a modal window of its own (a click that shows a message
// box); its modal loop ticks here too, and the next step runs on it nested.
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (!inStep && handled && IsWindow(handled) && ++ticksOpen > kTicksToClose) {
    CloseUnexpected(handled, "Window left open by its step:");
    handled = nullptr;
  }
  while (!appeared.empty() && !IsWindow(appeared.front())) appeared.pop_front();
  if (appeared.empty() || !IsWindowVisible(appeared.front())) return;
  HWND window = appeared.front();
  appeared.pop_front();
  if (steps.empty()) {
    CloseUnexpected(window, "Unexpected window");
    return;
  }
  const DialogStep step = std::move(steps.front());
  steps.pop_front();
  const HWND outer = handled;
  const bool nested = inStep;
  handled = window;
  ticksOpen = 0;
  inStep = true;
  step(window);
  inStep = nested;
  if (nested) handled = outer;
}

BOOL AnswerFileDialog(bool save, LPOPENFILENAMEA request) {
  fileDialogs += save ? 's' : 'o';
  auto& answers = save ? running->saveAnswers : running->openAnswers;
  if (answers.empty()) {
    ADD_FAILURE() << "Unexpected file dialog";
    return FALSE;
  }
  const std::optional<std::string> answer = answers.front();
  answers.pop_front();
  if (!answer || answer->size() + 1 > request->nMaxFile) return FALSE;
  std::memcpy(request->lpstrFile, answer->c_str(), answer->size() + 1);
  return TRUE;
}

void DrainMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    if (message.message != WM_QUIT) DispatchMessageA(&message);
}

}  // namespace

DialogStep Press(int button) {
  return [button](HWND window) { PostMessageA(window, WM_COMMAND, button, 0); };
}

DialogStep OnSheet(std::function<void(HWND sheet)> act, int button) {
  return [act, button](HWND sheet) {
    act(sheet);
    PropSheet_PressButton(sheet, button);
  };
}

DialogStep ChoosePort(int comPort, std::array<int, 4> line) {
  return [comPort, line](HWND dialog) {
    EXPECT_EQ(WindowText(dialog), "COM Port Properties");
    SelectEntry(dialog, IDC_COM_PORT, comPort);
    for (int i = 0; i < 4; ++i) SelectEntry(dialog, IDC_BAUD_RATE + i, line[i]);
    Press(IDOK)(dialog);
  };
}

void GuiTest::SetUp() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  static const int registered = RegisterWindowClasses(instance);
  ASSERT_EQ(registered, 1);
  running = this;
  shownBoxes.clear();
  shownDialogs.clear();
  fileDialogs.clear();
  steps.clear();
  appeared.clear();
  seen.clear();
  handled = nullptr;
  showOpenDialog = [](LPOPENFILENAMEA request) { return AnswerFileDialog(false, request); };
  showSaveDialog = [](LPOPENFILENAMEA request) { return AnswerFileDialog(true, request); };
  hook = SetWindowsHookExA(WH_CBT, WatchWindows, nullptr, GetCurrentThreadId());
  timer = SetTimer(nullptr, 0, kTickMs, Tick);
  scratch = MakeScratchDir() + "\\";
  // As in a new process: the image is all zero until the window resets it.
  settingsImage = SettingsImage{};
  InterfaceMode = InterfaceKind::KeyboardWedge;
  portSettings = PortSettings{};
  replyDeadlines = kReplyDeadlines;
  window = CreateMainWindow(instance, SW_SHOWNORMAL);
  ASSERT_NE(window, nullptr);
  DrainMessages();
}

void GuiTest::TearDown() {
  if (IsWindow(window)) DestroyWindow(window);
  DrainMessages();
  KillTimer(nullptr, timer);
  UnhookWindowsHookEx(hook);
  showOpenDialog = programOpenDialog;
  showSaveDialog = programSaveDialog;
  replyDeadlines = kReplyDeadlines;
  EXPECT_TRUE(steps.empty()) << steps.size() << " dialog step(s) never ran";
  EXPECT_TRUE(openAnswers.empty() && saveAnswers.empty()) << "file dialog answers never used";
  running = nullptr;
}

void GuiTest::Expect(std::vector<DialogStep> more) {
  for (DialogStep& step : more) steps.push_back(std::move(step));
}

void GuiTest::Run(const std::function<void()>& call) {
  call();
  EXPECT_TRUE(steps.empty()) << steps.size() << " dialog step(s) unused";
  steps.clear();
}

void GuiTest::Command(int command) {
  Run([this, command] { SendMessageA(window, WM_COMMAND, static_cast<WPARAM>(command), 0); });
}

void GuiTest::OpenTable(const DialogTable& table, std::span<uint8_t> target, bool page,
                        std::function<void(HWND)> act, bool ok) {
  bool result = false;
  const DialogTable* pages[] = {&table};
  if (page) {
    Expect({OnSheet([act](HWND sheet) { act(PropSheet_GetCurrentPageHwnd(sheet)); },
                    ok ? PSBTN_OK : PSBTN_CANCEL)});
    Run([&] { result = RunBoundSheet(window, "Sheet", pages, target); });
  } else {
    Expect({[act, ok](HWND dialog) {
      act(dialog);
      Press(ok ? IDOK : IDCANCEL)(dialog);
    }});
    Run([&] { result = RunBoundDialog(window, table, target) == 1; });
  }
  EXPECT_EQ(result, ok) << table.dialog;
}

std::string ItemTexts(HWND dialog, std::initializer_list<int> ids) {
  std::string joined;
  for (const int id : ids) {
    const LRESULT code = SendDlgItemMessageA(dialog, id, WM_GETDLGCODE, 0, 0);
    const bool checkable = (code & ~DLGC_RADIOBUTTON) == DLGC_BUTTON;
    joined += '|' + (checkable ? std::string(IsChecked(dialog, id) ? "on" : "off")
                               : ItemText(dialog, id));
  }
  return joined.substr(1);
}

std::string SimulatorPath(const std::string& name) {
  const char* dir = std::getenv("SKELV_SIM_DIR");
  EXPECT_NE(dir, nullptr) << "SKELV_SIM_DIR is not set";
  return std::string("Z:") + (dir ? dir : "") + "/" + name;
}

std::vector<uint8_t> ImageBytes() {
  return {settingsImage.bytes.begin(), settingsImage.bytes.end()};
}

void SelectEntry(HWND dialog, int list, int index) {
  Select(dialog, list, index);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(list, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, list)));
}

void Click(HWND dialog, int button) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

void ClickCell(HWND editor, int columns, int code) {
  HWND grid = GetDlgItem(editor, IDC_GRID);
  RECT r;
  GetClientRect(grid, &r);
  const int w = r.right / (columns + 1), h = r.bottom / 17;
  const int x = ((code >> 4) + 1) * w + w / 2, y = ((code & 15) + 1) * h + h / 2;
  SendMessageA(grid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void TypeText(HWND dialog, int edit, const char* text) {
  HWND control = GetDlgItem(dialog, edit);
  SendMessageA(control, EM_SETSEL, 0, -1);
  SendMessageA(control, WM_CHAR, VK_BACK, 0);
  for (const char* c = text; *c; ++c) SendMessageA(control, WM_CHAR, static_cast<WPARAM>(*c), 0);
}
