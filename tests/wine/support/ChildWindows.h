#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vandrel::test {

// Every window inside `parent` (children and theirs), in the order
// EnumChildWindows gives them.
std::vector<HWND> ChildWindows(HWND parent);
// The first window inside `parent` for which `matches` holds, or null.
HWND FindChildWindow(HWND parent, const std::function<bool(HWND)>& matches);
std::string ClassNameOf(HWND window);
std::string WindowTextOf(HWND window);

}  // namespace vandrel::test
