#pragma once
#include <windows.h>

#include <initializer_list>

namespace vandrel::test {

// The real program's notification-area icon, driven as the shell drives
// it: mouse messages sent to the window that owns the icon.
inline constexpr const char* kIconOwnerClass = "TCoolTrayIcon";

// A visible menu of any process.
HWND VisibleMenu();
// A right-button press on the icon of this owner; the menu it opened, or
// null when none came.
HWND RightClickIcon(HWND owner);
// Walks the open menu with these keys (separators are skipped) and takes
// the item reached; false when the menu did not close.
bool ChooseFromMenu(HWND menu, std::initializer_list<WPARAM> keys);

}  // namespace vandrel::test
