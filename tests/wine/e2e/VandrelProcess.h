#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "Launch.h"

namespace vandrel::test {

// The real Vandrel.exe started as a user's desktop would start it, watched
// from outside through its main window.
class VandrelProcess {
 public:
  // Starts the program; does not wait for its window.
  explicit VandrelProcess(const std::vector<std::string>& arguments = {});
  ~VandrelProcess();  // asks a still-running program to quit, then ends it

  // Waits for the main window (class TZAVOClass, title "Vandrel") of this process.
  HWND WaitForMainWindow(DWORD timeoutMs = 15000);
  // The text of the status bar's panel, once the main window exists.
  std::optional<std::string> StatusText(int part);
  // Waits until the status bar's panel reads `text`; false on timeout.
  bool WaitForStatus(int part, const std::string& text, DWORD timeoutMs = 5000);
  // Whether the main window handles a message sent to it: the program has
  // come back to a message loop.
  bool Answers(DWORD timeoutMs = 10000);
  // Posts WM_QUIT as a registration run does, and waits for the exit.
  bool Quit(DWORD timeoutMs = 10000);
  // Waits for another top-level window of this process by its class (hidden ones too).
  HWND WaitForWindowOfClass(const char* className, DWORD timeoutMs = 5000);
  // A message box of this process titled "Vandrel", and its text.
  HWND WaitForMessageBox(DWORD timeoutMs = 10000);
  static std::string MessageBoxText(HWND box);
  // The question of a box with "Don't show me this again.": its one static
  // control with text.
  static std::string QuestionText(HWND box);
  // A dialog-class window of this process with this title.
  HWND WaitForDialog(const char* title, DWORD timeoutMs = 10000);

  Process& process() { return process_; }

 private:
  // The first top-level window of this process with the class and title
  // (null: any title), waited for.
  HWND WaitForTopLevel(const char* className, const char* title, DWORD timeoutMs);

  Process process_;
  HWND main_ = nullptr;
};

// The program's path as Windows sees it, and its block list file beside it.
// VANDREL_E2E_EXE (a Unix path) names another build to drive than the
// shipped 64-bit one: the 32-bit exe, or the copy that runs as XP.
std::string VandrelPath();
// The Windows version Wine reports to the program at every start
// (VANDREL_E2E_WINDOWS, for example "winxp"), or nothing for Wine's own.
std::optional<std::string> ReportedWindows();
// Wine gives a program the version that this key names, by file name.
inline constexpr const char* kAppDefaultsKey = "Software\\Wine\\AppDefaults\\Vandrel.exe";
std::string TitlesPath();
// The path of a file in the program's own folder.
std::string FileBesideVandrel(const std::string& name);
// Where every erase keeps its report: below the user's application data.
std::string KeptReportPath();

// The block list file's bytes for these entries, in the file's plain layout
// (each byte XOR 0xC5 and inverted, CR LF after each entry).
std::string ScrambledTitles(const std::vector<std::string>& entries);
// The file's entries, read in that layout (only for files without the three
// characters that layout cannot hold); the block list file unless named.
std::vector<std::string> ReadScrambledTitles(const std::string& path = TitlesPath());
// False when the file could not be written whole.
[[nodiscard]] bool WriteFileBytes(const std::string& path, const std::string& bytes);
std::optional<std::string> ReadFileBytes(const std::string& path);

// Where the browser toolbar button lives: below HKEY_LOCAL_MACHINE, in its
// 32-bit view unless a test says otherwise.
inline constexpr const char* kBrowserExtensionsKey = "Software\\Microsoft\\Internet Explorer\\Extensions";
inline constexpr const char* kToolbarButtonsKey = "Software\\IE5Tools\\ToolBar Buttons";
inline constexpr const char* kToolbarButtonText = "P&&ZAVO";

// Main windows of any Vandrel process on the desktop.
std::vector<HWND> VandrelMainWindows();

// Ends every Vandrel this test program started that still runs, and resets
// what the tests write.
void ResetVandrelState();

// The program's own settings key under HKEY_CURRENT_USER.
inline constexpr const char* kSettingsKey = "Software\\Korvane\\Vandrel";

// The base of the end-to-end tests: each starts and ends with the program's
// state reset, and sets its settings through Set.
class VandrelTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetVandrelState(); }
  void TearDown() override { ResetVandrelState(); }
  static void Set(const char* name, const char* text);
};

}  // namespace vandrel::test
