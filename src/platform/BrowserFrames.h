#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

// Not included here: its WindowText buffer would clash with the views' WindowText().
class Desktop;

// The window class of the browser's main window, as the desktop lists it.
inline constexpr const char* kBrowserFrameClass = "IEFrame";
// A browser frame's window class holds the frame class (as the browser's own
// variants of it do).
inline bool IsBrowserFrameClass(std::string_view className) {
  return className.find(kBrowserFrameClass) != std::string_view::npos;
}

// The page a new browser window shows before its own arrives.
inline constexpr std::string_view kBlankPage = "about:blank";

// The whole titles of the browser frames (visible, titled, of the frame
// class), in the desktop's enumeration order.
std::vector<std::string> BrowserFrameTitles(Desktop& desktop);

}  // namespace vandrel
