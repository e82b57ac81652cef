#pragma once
#include <windows.h>

#include <initializer_list>

namespace vandrel::test {

// One chord as the keyboard sends it to the foreground window: the keys go
// down in order and up in reverse ({VK_SHIFT, VK_TAB} is Shift+Tab); then
// a moment for `window`'s program to take it.
void PressKeys(HWND window, std::initializer_list<WORD> chord);
// The active window, and the control id of the focus, of `window`'s thread.
HWND ActiveOf(HWND window);
int FocusedId(HWND window);

}  // namespace vandrel::test
