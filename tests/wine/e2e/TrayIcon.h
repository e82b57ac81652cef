#pragma once
#include <windows.h>

#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

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

// A window of the shell's tray class, put before Wine's so that the shell's
// calls come to it, on a thread of its own (they wait for its answer): it
// answers yes to each and keeps the balloons' titles and texts. Made after
// the program's icon was added, which stays in Wine's tray; or before the
// program starts, when it stands for a shell that times out on the first add:
// it keeps the icon but answers no, as a busy shell does at log-on.
class StandInTray {
 public:
  explicit StandInTray(bool refusesFirstAdd = false);
  ~StandInTray();
  bool TakesOver() const { return FindWindowA("Shell_TrayWnd", nullptr) == window_; }
  std::vector<std::pair<std::string, std::string>> Balloons() const;
  // The NIM_ codes of the changes asked so far, in order.
  std::vector<DWORD> Changes() const;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  mutable std::mutex mutex_;
  std::vector<std::pair<std::string, std::string>> balloons_;
  std::vector<DWORD> changes_;
  bool refusesFirstAdd_;
  bool holdsIcon_;  // made after the add: the icon it never saw counts as held
  HWND window_ = nullptr;
  std::thread thread_;
};

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
