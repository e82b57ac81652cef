#pragma once
// What popup_helper.exe understands and what it writes, shared by the helper
// and by the tests that drive it (tests/wine/support/PopupHelper).
//
// Command line, windows created in the order given (the last one ends up
// topmost):
//   popup_helper.exe --report <file> --window <class> <title> <flags> ...
//   popup_helper.exe --report <file> --many <count> <frames>
// A window's flags are letters, any order, "-" for none:
//   h  hidden (visible otherwise)       m  with a maximise box
//   i  ignores WM_CLOSE (counts it but stays open)
//   s  has a status bar; its panels' texts follow as "--status <text>"
//      arguments right after the window
//   o  opened 200 ms after a window gets a left button press, as a
//      browser opens a link's window (its handle reads 0 until then)
// --many creates <count> visible windows quickly, <frames> of them spread
// evenly and looking like browser frames (class IEFrame, title
// "Page <n> - Microsoft Internet Explorer", maximise box).
//
// The report file is rewritten (atomically, by rename) once all windows exist
// and after every WM_CLOSE. One line per window, in creation order:
//   <hwnd> <WM_CLOSE count> <status bar hwnd or 0>
// with the handles as decimal numbers. The helper exits when its last window
// is destroyed.

namespace vandrel::popup {

inline constexpr char kReportOption[] = "--report";
inline constexpr char kWindowOption[] = "--window";
inline constexpr char kStatusOption[] = "--status";
inline constexpr char kManyOption[] = "--many";

inline constexpr char kHiddenFlag = 'h';
inline constexpr char kMaximizeBoxFlag = 'm';
inline constexpr char kIgnoresCloseFlag = 'i';
inline constexpr char kStatusBarFlag = 's';
inline constexpr char kOpenedFlag = 'o';

inline constexpr char kFrameClass[] = "IEFrame";
inline constexpr char kFrameTitleSuffix[] = " - Microsoft Internet Explorer";
inline constexpr char kOtherClass[] = "VandrelHelperWindow";

}  // namespace vandrel::popup
