#pragma once
#include <windows.h>

#include <initializer_list>
#include <optional>

#include "VandrelProcess.h"

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

// A test that starts the program (after SetUp's own set-up, in StartVandrel)
// and drives its icon through `owner`.
class TrayIconTest : public VandrelTest {
 protected:
  void StartVandrel() {
    vandrel.emplace();
    ASSERT_NE(vandrel->WaitForMainWindow(), nullptr);
    owner = vandrel->WaitForWindowOfClass(kIconOwnerClass);
    ASSERT_NE(owner, nullptr);
  }
  void TearDown() override {
    vandrel.reset();
    VandrelTest::TearDown();
  }

  std::optional<VandrelProcess> vandrel;
  HWND owner = nullptr;
};

}  // namespace vandrel::test
