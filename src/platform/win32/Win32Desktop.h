#pragma once
#include "platform/Desktop.h"

namespace vandrel {

// The desktop's top-level windows through user32.
class Win32Desktop : public Desktop {
 public:
  void ListVisibleWindows(std::vector<WindowHandle>& out) override;
  void ReadTitle(WindowHandle window, std::string& out) override;
  void ReadClassName(WindowHandle window, ClassText& out) override;
  std::uint32_t ReadStyle(WindowHandle window) override;
  bool IsVisible(WindowHandle window) override;
  std::uint32_t ProcessOf(WindowHandle window) override;
  bool Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  WindowHandle FindOfProgram(const std::string& className, const std::string& title,
                             std::string_view programFileName) override;
  void BringToForeground(WindowHandle window) override;
};

}  // namespace vandrel
