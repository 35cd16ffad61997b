// The program started on a settings file, as a double-click on one starts it:
// the real skelvane.exe in a process of its own, watched through its windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/resource_ids.h"
#include "shell/main_window.h"
#include "tests/gui/program_window.h"
#include "tests/report/golden_images.h"
#include "tests/report/golden_report.h"
#include "tests/test_support.h"
#include "ui/dialog_items.h"

namespace {

constexpr DWORD kEndMs = 30000;  // only catches a hang

class StartOnFile : public ::testing::Test {
 protected:
  // Starts skelvane.exe, which lies beside this test program, with `arguments`
  // in the scratch folder.
  void Start(const std::string& arguments) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::filesystem::path program =
        std::filesystem::path(self).parent_path() / "skelvane.exe";
    std::string commandLine = "\"";
    commandLine.append(program.string()).append("\" ").append(arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               scratch.c_str(), &startup, &process));
  }
  void TearDown() override {
    if (!process.hProcess) return;
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, kEndMs);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  // Nothing unsaved: closing ends the program without a question.
  bool EndsOnClose(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
    return WaitForSingleObject(process.hProcess, kEndMs) == WAIT_OBJECT_0;
  }

  PROCESS_INFORMATION process{};
  std::string scratch = MakeScratchDir() + "\\";
};

TEST_F(StartOnFile, ShowsTheFilesReportAndSavesToItsPath) {
  SettingsImage image{};
  for (const GoldenCase& golden : GoldenCases())
    if (golden.name == "rs232") image = golden.image;
  const std::vector<uint8_t> bytes(image.bytes.begin(), image.bytes.end());
  const std::string path = scratch + "site settings.qrs";
  WriteWholeFile(path, bytes);
  Start("\"site settings.qrs\" other.qrs /x");
  HWND window = WaitForWindow(kMainClass, process.dwProcessId);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WaitForReport(window, GoldenReport("rs232")), GoldenReport("rs232"));

  // Save asks for no name: it writes the image back to the file started on.
  WriteWholeFile(path, std::vector<uint8_t>(kImageSize));
  EXPECT_TRUE(
      SendMessageTimeoutA(window, WM_COMMAND, IDM_SAVE, 0, SMTO_ABORTIFHUNG, 10000, nullptr));
  EXPECT_EQ(ReadWholeFile(path), bytes);
  EXPECT_TRUE(EndsOnClose(window));
}

TEST_F(StartOnFile, MissingFileGetsTheOpenErrorThenTheFactorySettings) {
  Start("\"" + scratch + "missing.qrs\"");
  HWND box = WaitForWindow("#32770", process.dwProcessId);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box) + ": " + ItemText(box, 0xFFFF), "Error: Can't open the settings file!");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND window = WaitForWindow(kMainClass, process.dwProcessId);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(WaitForReport(window, GoldenReport("factory")), GoldenReport("factory"));
  EXPECT_TRUE(EndsOnClose(window));
}

}  // namespace
