#pragma once
#include <string_view>

namespace vandrel {

// Window-class fragments whose titled windows without a maximise box are
// closed at every tick, uncounted.
inline constexpr const char* kPopupClassFragments[] = {"IEFrame", "IFRAME",
                                                       "Internet Explorer_TridentDlgFrame"};
inline constexpr const char* kBrowserFrameClass = "IEFrame";
// A browser frame's window class holds the frame class (as the browser's own
// variants of it do).
inline bool IsBrowserFrameClass(std::string_view className) {
  return className.find(kBrowserFrameClass) != std::string_view::npos;
}

}  // namespace vandrel
