// The real Vandrel.exe under Wine: its toolbar and menu commands, the close
// box and the exit question.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "PopupHelper.h"
#include "RegistryReset.h"
#include "ScanTicks.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"
#include "app/CommandIds.h"

namespace vandrel::test {
namespace {

constexpr int kDontShowAgainId = 1000;

std::string ItemText(HWND box, int id) {
  char text[256] = {};
  GetDlgItemTextA(box, id, text, sizeof(text));
  return text;
}

PopupWindowSpec Frame(const std::string& page) {
  return {"IEFrame", page + " - Microsoft Internet Explorer", true, true, true};
}

class MainWindowTest : public VandrelTest {
 protected:
  // A toolbar button's click as the toolbar reports it to the window.
  static void ClickToolbar(HWND main, int command) {
    HWND toolbar = FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
    ASSERT_NE(toolbar, nullptr);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
  }
  static void ChooseMenuItem(HWND main, int command) { PostMessageA(main, WM_COMMAND, command, 0); }
  // The same, returning once the window has carried the command out.
  static void ChooseMenuItemNow(HWND main, int command) {
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(main, WM_COMMAND, command, 0, SMTO_NORMAL, 10000, &result));
  }
};

TEST_F(MainWindowTest, TheToolbarAndTheMenuSwitchBlockingOnAndOff) {
  Set("AutoStart", "0");
  Set("LimitEnabled", "1");
  Set("LimitWindows", "1");
  StoreMonitoredNo();
  // The frames stay open when told to close, so every tick closes again.
  PopupHelper helper{Frame("First"), Frame("Second"), BarrierWindow()};
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitForMonitorPass());
  ASSERT_TRUE(helper.Settle(2));
  EXPECT_EQ(helper.ClosesReceived(1), 0) << "blocking was on without AutoStart";

  ClickToolbar(main, kCmdStart);
  ASSERT_TRUE(helper.WaitForCloses(1, 1)) << "the toolbar's Block did not start blocking";
  ChooseMenuItemNow(main, kCmdStart2);  // off again
  ASSERT_TRUE(helper.Settle(2));
  const int closes = helper.ClosesReceived(1);
  ASSERT_TRUE(WaitForMonitorPass());
  ASSERT_TRUE(helper.Settle(2));
  EXPECT_EQ(helper.ClosesReceived(1), closes) << "the menu's Block did not stop blocking";
  ChooseMenuItem(main, kCmdStart2);
  EXPECT_TRUE(helper.WaitForCloses(1, closes + 1)) << "the menu's Block did not start blocking";
}

TEST_F(MainWindowTest, TheCloseBoxHidesTheWindowAndTheProgramKeepsRunning) {
  PopupHelper helper{TickWitness(), BarrierWindow()};
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000));
  // A tick after the close: a quit it had asked for would have come first.
  ASSERT_TRUE(WaitForScanTicks(helper, 0, 1, 2));
  EXPECT_FALSE(vandrel.process().Wait(0));
  EXPECT_TRUE(IsWindow(main));
  // WM_QUIT still ends it.
  EXPECT_TRUE(vandrel.Quit());
}

TEST_F(MainWindowTest, ExitAsksAndNoKeepsTheProgramRunning) {
  PopupHelper helper{TickWitness(), BarrierWindow()};
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ClickToolbar(main, kCmdExitP);
  const HWND box = vandrel.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no exit question";
  EXPECT_EQ(VandrelProcess::QuestionText(box), "Do you really want to exit Vandrel v7.0.5?");
  EXPECT_EQ(ItemText(box, kDontShowAgainId), "Don't show me this again.");
  SendMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  ASSERT_TRUE(WaitForScanTicks(helper, 0, 1, 2));
  EXPECT_FALSE(vandrel.process().Wait(0));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "ExitConfirm", View::Default));
}

TEST_F(MainWindowTest, YesWithTheBoxTickedExitsAndTheNextExitDoesNotAsk) {
  {
    VandrelProcess vandrel;
    const HWND main = vandrel.WaitForMainWindow();
    ASSERT_NE(main, nullptr);
    ChooseMenuItem(main, kCmdExit2);
    const HWND box = vandrel.WaitForMessageBox();
    ASSERT_NE(box, nullptr) << "no exit question";
    SendMessageA(GetDlgItem(box, kDontShowAgainId), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
    ASSERT_TRUE(vandrel.process().Wait(10000)) << "Yes did not end the program";
    EXPECT_EQ(vandrel.process().ExitCode(), 0u);
    const auto raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "ExitConfirm", View::Default);
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(raw->bytes.c_str()), "0");
  }
  VandrelProcess again;
  const HWND main = again.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ChooseMenuItem(main, kCmdExit2);
  EXPECT_TRUE(again.process().Wait(10000)) << "the second exit did not end the program";
}

}  // namespace
}  // namespace vandrel::test
