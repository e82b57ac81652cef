// The real Vandrel.exe under Wine: the options dialog's Messenger page
// against a Messenger service of the tests' own.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "ChildWindows.h"
#include "RegistryReset.h"
#include "TestService.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kVersionKey = "Software\\Wine\\AppDefaults\\Vandrel.exe";
constexpr const char* kServiceKey = "System\\CurrentControlSet\\Services\\Messenger";
constexpr WPARAM kOptionsMenuItem = 2009;

// A control of the dialog's pages by its window class and, unless empty, its caption.
HWND Find(HWND dialog, const char* className, const std::string& caption = {}) {
  return FindChildWindow(dialog, [&](HWND child) {
    return lstrcmpiA(ClassNameOf(child).c_str(), className) == 0 && (caption.empty() || WindowTextOf(child) == caption);
  });
}

// The picture of a page, by its kind (SS_ICON, SS_BITMAP), beside `sibling`.
HWND Picture(HWND sibling, LONG kind) {
  for (HWND child = GetWindow(GetParent(sibling), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == kind) return child;
  }
  return nullptr;
}

std::optional<DWORD> StartType() {
  const auto raw = ReadRaw(HKEY_LOCAL_MACHINE, kServiceKey, "Start", View::Default);
  if (!raw || raw->type != REG_DWORD) return std::nullopt;
  return *reinterpret_cast<const DWORD*>(raw->bytes.data());
}

class MessengerPageTest : public VandrelTest {
 protected:
  // Starts the program and shows the dialog on its Messenger page.
  HWND OpenMessengerPage() {
    vandrel = std::make_unique<VandrelProcess>();
    const HWND main = vandrel->WaitForMainWindow();
    const HWND dialog = main ? vandrel->WaitForWindowOfClass("TForm2") : nullptr;
    if (!dialog) return nullptr;
    PostMessageA(main, WM_COMMAND, kOptionsMenuItem, 0);
    if (!WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000)) return nullptr;
    PostMessageA(dialog, WM_SYSCHAR, 'g', 1u << 29);
    return dialog;
  }
  std::unique_ptr<VandrelProcess> vandrel;
};

TEST_F(MessengerPageTest, AnUnknownWindowsOrAMissingServiceMakesThePageUnavailable) {
  for (const bool xpWithoutService : {false, true}) {
    std::optional<InstalledTestService> service;
    if (xpWithoutService) {
      ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kVersionKey, "Version", "winxp"));
    } else {
      service.emplace("Messenger");  // there, but Wine's own 6.1 has no version code
    }
    const HWND dialog = OpenMessengerPage();
    ASSERT_NE(dialog, nullptr);
    HWND frame = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (frame = Find(dialog, "Button", "Messenger service is unavailable...")); }, 5000))
        << xpWithoutService;
    EXPECT_FALSE(IsWindowEnabled(frame));
    vandrel.reset();
  }
}

TEST_F(MessengerPageTest, StartApplyAndTheSignboardDriveTheRealService) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kVersionKey, "Version", "winxp"));
  InstalledTestService service("Messenger");
  const HWND dialog = OpenMessengerPage();
  ASSERT_NE(dialog, nullptr);
  const HWND start = Find(dialog, "Button", "Start");
  const HWND stop = Find(dialog, "Button", "Stop");
  ASSERT_TRUE(start && stop);
  const HWND picture = Picture(start, SS_ICON);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(start) && !IsWindowEnabled(stop); }, 5000)) << "stopped";
  const auto shown = [&] { return SendMessageA(picture, STM_GETICON, 0, 0); };
  const LRESULT stoppedPicture = shown();

  PostMessageA(start, BM_CLICK, 0, 0);
  // Pending for about a second, then running: the refresh follows.
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(stop) && !IsWindowEnabled(start); }, 10000)) << "running";
  EXPECT_NE(shown(), stoppedPicture);

  const HWND type = Find(dialog, "ComboBox");
  const HWND apply = Find(dialog, "Button", "Apply");
  ASSERT_TRUE(type && apply);
  EXPECT_FALSE(IsWindowEnabled(apply));
  SendMessageA(type, CB_SETCURSEL, 1, 0);  // "Manual", as the user picks it
  SendMessageA(GetParent(type), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(type), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(type));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(apply) != FALSE; }, 2000));
  PostMessageA(apply, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(apply); }, 5000));
  EXPECT_EQ(StartType(), 3u);

  // Any button on the signboard stops and disables the service.
  const HWND board = Picture(start, SS_BITMAP);
  ASSERT_NE(board, nullptr);
  PostMessageA(board, WM_RBUTTONDOWN, 0, 0);
  const HWND box = vandrel->WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(VandrelProcess::MessageBoxText(box), "Messenger service stopped and disabled!");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_EQ(StartType(), 4u);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(type, CB_GETCURSEL, 0, 0) == 2; }, 5000))
      << "the list shows Disabled again";
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(stop) && !IsWindowEnabled(start); }, 10000))
      << "stopped, and a disabled service offers no Start";
}

}  // namespace
}  // namespace vandrel::test
