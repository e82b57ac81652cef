#pragma once
#include <string_view>

namespace vandrel {

// The window class of the browser's main window, as the desktop lists it.
inline constexpr const char* kBrowserFrameClass = "IEFrame";
// A browser frame's window class holds the frame class (as the browser's own
// variants of it do).
inline bool IsBrowserFrameClass(std::string_view className) {
  return className.find(kBrowserFrameClass) != std::string_view::npos;
}

}  // namespace vandrel
