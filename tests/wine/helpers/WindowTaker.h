#pragma once
// What window_taker.dll (window_taker.cpp) and the tests that load it share.

namespace vandrel::test {

// The hook procedure it exports, for SetWindowsHookEx(WH_GETMESSAGE, ...).
inline constexpr char kTakeWindowsProcedure[] = "TakeWindows";
// Posted to a window of the hooked thread: every top-level window of that
// thread goes, unseen by its window procedure.
inline constexpr char kTakeWindowsMessage[] = "Vandrel tests: take the windows";

}  // namespace vandrel::test
