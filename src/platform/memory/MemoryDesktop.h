#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/Desktop.h"

namespace vandrel {

// A desktop of windows held in a list, topmost first. Posted messages are
// recorded; a posted WM_CLOSE closes nothing unless the test says so.
class MemoryDesktop : public Desktop {
 public:
  struct Window {
    WindowHandle handle = 0;
    std::string title;
    std::string className;
    std::uint32_t style = 0;
    bool visible = true;
    std::string program;  // the file name of the program that made it; empty: cannot be told
  };
  struct PostedMessage {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  // How often the desktop was asked about one window.
  struct ReadCounts {
    int titles = 0;
    int classNames = 0;
    int styles = 0;
  };

  // Opens a window on top of all others; returns its handle.
  WindowHandle Open(std::string title, std::string className, std::uint32_t style = 0, bool visible = true);
  void Close(WindowHandle window);
  bool IsOpen(WindowHandle window) const { return Lookup(window) != nullptr; }
  // The window was made by the program of this file name.
  void MadeBy(WindowHandle window, std::string program);
  // The topmost window with this class and title, whoever made it; 0 when none.
  WindowHandle Find(const std::string& className, const std::string& title) const;
  // The next Open gets this handle, as the system may give a gone window's to a new one.
  void HandOutAgain(WindowHandle handle) { reused_ = handle; }
  void Show(WindowHandle window);
  // The window ends right after its title is next read, as one told to
  // close at an earlier tick may end while the scan looks at it.
  void GoesAfterNextTitleRead(WindowHandle window) { goesAfterTitleRead_ = window; }
  // The window's title changes, as a browser's does at every page.
  void Retitle(WindowHandle window, std::string title);
  // Closes every window that was posted WM_CLOSE since the last call.
  void ApplyCloses();
  std::vector<PostedMessage>& Posted() { return posted_; }
  int ClosesPostedTo(WindowHandle window) const;
  WindowHandle Foreground() const { return foreground_; }
  int Enumerations() const { return enumerations_; }
  ReadCounts ReadsOf(WindowHandle window) const;
  void ForgetReads();

  void ListVisibleWindows(std::vector<WindowHandle>& out) override;
  void ReadTitle(WindowHandle window, std::string& out) override;
  void ReadClassName(WindowHandle window, ClassText& out) override;
  std::uint32_t ReadStyle(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  // One process a program file name (MadeBy); nonzero for every window there is.
  std::uint32_t ProcessOf(WindowHandle window) override;
  bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  WindowHandle FindOfProgram(const std::string& className, const std::string& title,
                             std::string_view programFileName) override;
  void BringToForeground(WindowHandle window) override;

 private:
  const Window* Lookup(WindowHandle window) const;

  std::vector<Window> windows_;  // topmost first
  std::vector<PostedMessage> posted_;
  std::size_t appliedUpTo_ = 0;
  WindowHandle nextHandle_ = 0x10010;
  WindowHandle reused_ = 0;
  WindowHandle goesAfterTitleRead_ = 0;
  WindowHandle foreground_ = 0;
  int enumerations_ = 0;
  std::map<WindowHandle, ReadCounts> reads_;
};

}  // namespace vandrel
