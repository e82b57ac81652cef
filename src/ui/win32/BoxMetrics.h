#pragma once
#include <windows.h>

namespace vandrel::box_metrics {

// What the program's own message-like boxes share: their frame, the icon
// left of the text and the size of their buttons, in pixels designed at 96 DPI.
inline constexpr int kIconId = 1001;
inline constexpr int kTextId = 1002;
inline constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
inline constexpr int kMargin = 12;
inline constexpr int kIconSize = 32;
inline constexpr int kTextLeft = kMargin + kIconSize + 12;
inline constexpr int kTextTop = 16;
inline constexpr int kButtonWidth = 75;
inline constexpr int kButtonHeight = 23;
inline constexpr int kButtonGap = 8;

}  // namespace vandrel::box_metrics
