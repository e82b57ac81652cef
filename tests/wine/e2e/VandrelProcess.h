#pragma once
#include <windows.h>

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
  // Posts WM_QUIT as a registration run does, and waits for the exit.
  bool Quit(DWORD timeoutMs = 10000);
  // A message box of this process titled "Vandrel", and its text.
  HWND WaitForMessageBox(DWORD timeoutMs = 10000);
  static std::string MessageBoxText(HWND box);

  Process& process() { return process_; }

 private:
  Process process_;
  HWND main_ = nullptr;
};

// The program's path as Windows sees it.
std::string VandrelPath();

// Main windows of any Vandrel process on the desktop.
std::vector<HWND> VandrelMainWindows();

// Ends every Vandrel left by an earlier test, and resets what the tests write.
void ResetVandrelState();

}  // namespace vandrel::test
