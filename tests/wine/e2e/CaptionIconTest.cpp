// The real Vandrel.exe under Wine: the icon in the captions of its secondary
// windows. A window with a single border and no icon of its own gets the
// system's generic icon drawn there; a dialog frame draws none.
#include <windows.h>
#include <gtest/gtest.h>

#include "RegistryReset.h"
#include "VandrelProcess.h"

namespace vandrel::test {
namespace {

enum class Caption { ProgramIcon, NoIcon };

// What the caption shows: nothing in a dialog frame; else the window's own
// small icon or its class's, which Windows falls back to.
Caption CaptionOf(HWND window) {
  if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME) return Caption::NoIcon;
  constexpr WPARAM kSmallOrClassIcon = 2;  // ICON_SMALL2
  return SendMessageA(window, WM_GETICON, kSmallOrClassIcon, 0) ? Caption::ProgramIcon : Caption::NoIcon;
}

class CaptionIconTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetVandrelState(); }
  void TearDown() override { ResetVandrelState(); }
};

TEST_F(CaptionIconTest, SecondaryWindowsShowTheProgramsIconOrNone) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Korvane\\Vandrel", 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  RegDeleteValueA(key, "TOD");  // the tip comes at the start
  RegCloseKey(key);
  VandrelProcess vandrel;
  const HWND tip = vandrel.WaitForDialog("Tip of the Day", 15000);
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(CaptionOf(tip), Caption::ProgramIcon) << "the tip";
  PostMessageA(tip, WM_SYSCOMMAND, SC_CLOSE, 0);
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);

  // Made at start-up, hidden until asked for.
  const struct {
    const char* name;
    HWND window;
    Caption wanted;
  } windows[] = {
      {"the rich-media window", vandrel.WaitForWindowOfClass("TW42VideoBlocker"), Caption::ProgramIcon},
      {"the about box", vandrel.WaitForDialog("About Vandrel", 5000), Caption::NoIcon},
  };
  for (const auto& window : windows) {
    ASSERT_NE(window.window, nullptr) << window.name;
    EXPECT_EQ(CaptionOf(window.window), window.wanted) << window.name;
  }
  EXPECT_TRUE(vandrel.Quit());
}

}  // namespace
}  // namespace vandrel::test
