#pragma once
#include <windows.h>

#include <functional>

namespace vandrel {

// Runs the thread's messages for a window shown modally over `owner` until
// `shown` says it is gone: the owner is disabled meanwhile, dialog keys
// (Tab, Enter, Esc) work in the window, and a quit message ends the loop
// and is posted again for the loop outside.
void RunModalLoop(HWND window, HWND owner, const std::function<bool()>& shown);

// Shows a form window and gives the focus to its first tab stop.
void ShowAndFocus(HWND window);

}  // namespace vandrel
