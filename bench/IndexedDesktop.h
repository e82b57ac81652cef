#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Desktop.h"

namespace vandrel {

// A still copy of another desktop's visible windows whose reads cost a hash
// look-up, not a walk of the window list as the in-memory desktop's do; a
// tick over it shows the scan's own work. Posted messages are only counted.
class IndexedDesktop : public Desktop {
 public:
  explicit IndexedDesktop(Desktop& source);

  // The number of messages posted since the last call.
  std::size_t TakePostedCount();

  void ListVisibleWindows(std::vector<WindowHandle>& out) override;
  void ReadTitle(WindowHandle window, std::string& out) override;
  void ReadClassName(WindowHandle window, ClassText& out) override;
  std::uint32_t ReadStyle(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override { return Lookup(window) != nullptr; }  // it holds the visible ones
  bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  // Its windows are no program's: the start-up's question finds none.
  WindowHandle FindOfProgram(const std::string&, const std::string&, std::string_view) override { return 0; }
  void BringToForeground(WindowHandle) override {}
  std::uint32_t ProcessOf(WindowHandle window) override { return Lookup(window) ? 1 : 0; }

 private:
  struct Window {
    std::string title;
    ClassText className;
    std::uint32_t style = 0;
  };
  const Window* Lookup(WindowHandle window) const;

  std::vector<WindowHandle> order_;  // topmost first
  std::unordered_map<WindowHandle, Window> windows_;
  std::size_t posted_ = 0;
};

}  // namespace vandrel
