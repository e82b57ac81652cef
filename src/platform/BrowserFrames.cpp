#include "platform/BrowserFrames.h"

#include "platform/Desktop.h"

namespace vandrel {

std::vector<std::string> BrowserFrameTitles(Desktop& desktop) {
  std::vector<WindowHandle> windows;
  desktop.ListVisibleWindows(windows);
  std::vector<std::string> titles;
  std::string title;
  ClassText className;
  for (const WindowHandle window : windows) {
    desktop.ReadTitle(window, title);
    if (title.empty()) continue;
    desktop.ReadClassName(window, className);
    if (IsBrowserFrameClass(className.view())) titles.push_back(title);
  }
  return titles;
}

}  // namespace vandrel
