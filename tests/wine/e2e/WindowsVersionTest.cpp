// The real Vandrel.exe under Wine told that it runs on Windows XP or 98:
// the window's width and the fading exit follow the version.
#include <windows.h>
#include <gtest/gtest.h>

#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"
#include "app/CommandIds.h"

namespace vandrel::test {
namespace {

class WindowsVersionTest : public VandrelTest {
 protected:
  void SetUp() override {
    VandrelTest::SetUp();
    Set("ExitConfirm", "0");
  }
  void TearDown() override {
    VandrelTest::TearDown();
    DeleteKeyTree(HKEY_CURRENT_USER, kAppDefaultsKey);
  }
  static void Pretend(const char* version) {
    ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kAppDefaultsKey, "Version", version));
  }
  static int OuterWidth(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.right - rect.left;
  }
  // Exit from the main menu; returns whether the window was made see-through
  // on its way out.
  static bool ExitFades(VandrelProcess& vandrel, HWND main) {
    PostMessageA(main, WM_COMMAND, kCmdExit2, 0);
    bool layered = false;
    WaitUntil(
        [&] {
          if (GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_LAYERED) layered = true;
          return vandrel.process().Wait(0);
        },
        10000, 1);
    EXPECT_TRUE(vandrel.process().Wait(0)) << "the program did not exit";
    return layered;
  }
};

TEST_F(WindowsVersionTest, OnXpTheWindowIsNarrowAndFadesOutAtExit) {
  Pretend("winxp");
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(OuterWidth(main), 750);
  EXPECT_TRUE(ExitFades(vandrel, main));
}

TEST_F(WindowsVersionTest, OnWindows98TheWindowKeepsItsWidthAndExitsWithoutFading) {
  Pretend("win98");
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 800);
  EXPECT_FALSE(ExitFades(vandrel, main));
}

}  // namespace
}  // namespace vandrel::test
