#pragma once
#include <windows.h>

#include <initializer_list>

namespace vandrel::test {

// One chord as the keyboard sends it to the foreground window: the keys go
// down in order and up in reverse, so {VK_SHIFT, VK_TAB} is Shift+Tab.
// Waits until the program has taken it (`window` answers again).
void PressKeys(HWND window, std::initializer_list<WORD> chord);
// The focus and the active window of the thread that runs `window`.
HWND FocusOf(HWND window);
HWND ActiveOf(HWND window);
// The control id of the focus of `window`'s thread, or 0.
int FocusedId(HWND window);

}  // namespace vandrel::test
