#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "Launch.h"

namespace vandrel::test {

// One top-level window of popup_helper.exe.
struct PopupWindowSpec {
  std::string className;
  std::string title;
  bool visible = true;
  bool maximizeBox = false;
  bool ignoresClose = false;                  // counts WM_CLOSE but stays open
  std::vector<std::string> statusTexts = {};  // non-empty: a status bar with these panels
  bool opened = false;  // made 200 ms after a left button press in a window
};

// A hidden window that nothing but the test closes, for PopupHelper::Settle.
PopupWindowSpec BarrierWindow();

// Runs popup_helper.exe with the given windows, created in the given order
// (the last one topmost), and reads back their handles and how many WM_CLOSE
// each received. Ends the helper when destroyed.
class PopupHelper {
 public:
  // Waits until every window exists; throws std::runtime_error otherwise.
  explicit PopupHelper(const std::vector<PopupWindowSpec>& windows);
  PopupHelper(std::initializer_list<PopupWindowSpec> windows) : PopupHelper(std::vector<PopupWindowSpec>(windows)) {}
  // <count> windows, <frames> of them browser frames (class IEFrame, title
  // "Page <n> - Microsoft Internet Explorer", maximise box).
  static PopupHelper Many(int count, int frames);
  ~PopupHelper();
  PopupHelper(PopupHelper&&) noexcept = default;

  std::size_t Count() const { return windows_.size(); }
  HWND Window(std::size_t index) const { return windows_.at(index).window; }
  // Waits until an opened window exists; null on timeout.
  HWND WaitForWindow(std::size_t index, DWORD timeoutMs = 5000);
  HWND StatusBar(std::size_t index) const { return windows_.at(index).statusBar; }
  // WM_CLOSE messages the window has handled so far.
  int ClosesReceived(std::size_t index) const;
  // Waits until the window has handled at least this many; false on timeout.
  bool WaitForCloses(std::size_t index, int count, DWORD timeoutMs = 5000) const;
  // Posts a close to the barrier window (see BarrierWindow()) and waits until
  // it is handled: the helper handles what is posted to it in order, so every
  // close posted to its windows before this call has been counted then.
  bool Settle(std::size_t barrier, DWORD timeoutMs = 5000) const;
  const Process& process() const { return process_; }

 private:
  struct Entry {
    HWND window = nullptr;
    int closes = 0;
    HWND statusBar = nullptr;
  };
  PopupHelper(const std::vector<std::string>& arguments, std::size_t count, std::string reportPath);
  std::vector<Entry> ReadReport() const;

  std::string reportPath_;
  Process process_;
  std::vector<Entry> windows_;
};

// The path of popup_helper.exe as Windows sees it.
std::string PopupHelperPath();

}  // namespace vandrel::test
