// The real Vandrel.exe's notification-area icon under Wine, driven as the
// shell drives it: mouse messages sent to the window that owns the icon.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "AddressRecorder.h"
#include "BrowserAddresses.h"
#include "PopupHelper.h"
#include "TrayIcon.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr UINT kIconId = 1;
constexpr const char* kIconHostClass = "__winex11_standalone_tray";
constexpr const char* kNoTitle =
    "It looks like this window has no title, so it can not be added to the\r\nBlock list, because "
    "some windows will be closed immediately.";

PopupWindowSpec Frame(const std::string& page, bool ignoresClose = true) {
  return {"IEFrame", page + " - Microsoft Internet Explorer", true, true, ignoresClose};
}

HWND IconHost() {
  const HWND host = FindWindowA(kIconHostClass, nullptr);
  return host && IsWindowVisible(host) ? host : nullptr;
}

class TrayTest : public TrayIconTest {
 protected:
  void SetUp() override {
    VandrelTest::SetUp();
    StartVandrel();
  }

  // A right-button press on the icon, as the shell reports it; waits for the menu.
  HWND RightClickIcon() { return test::RightClickIcon(owner); }
  void Choose(HWND menu, std::initializer_list<WPARAM> keys) {
    ASSERT_NE(menu, nullptr) << "no menu appeared";
    EXPECT_TRUE(ChooseFromMenu(menu, keys));
  }
};

TEST_F(TrayTest, ChoosingABrowserWindowAddsItsPageTitleAndWritesTheFileAtOnce) {
  PopupHelper helper{Frame("about:blank"), Frame("News")};  // News on top: listed first
  Choose(RightClickIcon(), {VK_DOWN, VK_DOWN});
  EXPECT_TRUE(WaitUntil([] { return ReadScrambledTitles() == std::vector<std::string>{"News"}; }, 5000));
  // The scan closes the frame now that its page title is listed.
  EXPECT_TRUE(helper.WaitForCloses(1, 1));

  Choose(RightClickIcon(), {VK_DOWN, VK_DOWN, VK_DOWN});
  const HWND box = vandrel->WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(VandrelProcess::MessageBoxText(box), kNoTitle);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(ReadScrambledTitles(), std::vector<std::string>{"News"});
}

TEST_F(TrayTest, ATitleWithAnAmpersandIsAddedAsItStandsAndItsFrameIsThenClosed) {
  PopupHelper helper{Frame("Q&A Forum")};
  Choose(RightClickIcon(), {VK_DOWN, VK_DOWN});
  EXPECT_TRUE(WaitUntil([] { return ReadScrambledTitles() == std::vector<std::string>{"Q&A Forum"}; }, 5000));
  EXPECT_TRUE(helper.WaitForCloses(0, 1));
}

TEST_F(TrayTest, TheMenuLeavesTheProgramsActiveWindowActive) {
  const HWND main = vandrel->WaitForMainWindow();
  SetForegroundWindow(main);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }, 5000));
  HWND menu = RightClickIcon();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetForegroundWindow(), main);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  ASSERT_TRUE(WaitUntil([] { return VisibleMenu() == nullptr; }, 5000));

  // While another program's window is active, the icon's own window takes
  // the menu, so that it closes when the user clicks elsewhere.
  PopupHelper other{{.className = "VandrelHelperWindow", .title = "Elsewhere"}};
  SetForegroundWindow(other.Window(0));
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other.Window(0); }, 5000));
  menu = RightClickIcon();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetForegroundWindow(), owner);
  PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([] { return VisibleMenu() == nullptr; }, 5000));
}

TEST_F(TrayTest, TheIconComesBackWhenTheShellRestartsAndGoesWithTheProgram) {
  ASSERT_TRUE(WaitUntil([] { return IconHost() != nullptr; }, 5000));
  // The shell forgets the icon, as a restarted shell would.
  NOTIFYICONDATAA icon{};
  icon.cbSize = sizeof(icon);
  icon.hWnd = owner;
  icon.uID = kIconId;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &icon));
  ASSERT_TRUE(WaitUntil([] { return IconHost() == nullptr; }, 5000));

  PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitUntil([] { return IconHost() != nullptr; }, 5000));
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &icon)) << "the shell does not know the icon";

  // The browser windows menu ends the program without a question, and the icon goes.
  PopupHelper helper{Frame("News")};
  Choose(RightClickIcon(), {VK_UP});
  EXPECT_TRUE(vandrel->process().Wait(10000));
  EXPECT_TRUE(WaitUntil([] { return IconHost() == nullptr; }, 5000));
}

TEST_F(TrayTest, AnIconTheShellTookAfterRefusingItsAddGetsBalloonsAndIsDeletedAtTheEnd) {
  vandrel.reset();  // again, with a block list and a shell that times out on the add
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"News"})));
  StandInTray tray(true);
  ASSERT_TRUE(tray.TakesOver());
  StartVandrel();
  {
    PopupHelper helper{Frame("Daily News", false)};
    EXPECT_TRUE(WaitUntil([&] { return !tray.Balloons().empty(); }, 5000));
  }
  ASSERT_TRUE(vandrel->Quit());
  const std::vector<DWORD> changes = tray.Changes();
  EXPECT_EQ(std::count(changes.begin(), changes.end(), DWORD{NIM_ADD}), 1);
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back(), DWORD{NIM_DELETE}) << "no dead icon is left";
}

TEST_F(TrayTest, FramesClosedTogetherMakeOneBalloonWhoseClickListsThemAndTheItemTurnsItOff) {
  vandrel.reset();  // again, with a block list
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"News"})));
  const AddressRecorder recorder("ftp");  // what "Reopen" opens
  ASSERT_TRUE(recorder.Ready());
  BrowserAddresses addresses;
  ASSERT_TRUE(addresses.Ready());
  StartVandrel();
  StandInTray tray;
  ASSERT_TRUE(tray.TakesOver());
  {
    // Frames that stay, as a busy browser's do, named by the shell meanwhile:
    // closed at every tick, each is one window closed and one balloon line.
    PopupHelper helper{Frame("Daily News"), Frame("Sports News")};
    ASSERT_TRUE(addresses.Set(helper.Window(0), "ftp://news.blocked.invalid/daily"));
    ASSERT_TRUE(addresses.Set(helper.Window(1), "ftp://news.blocked.invalid/sports"));
    ASSERT_TRUE(WaitUntil([&] { return !tray.Balloons().empty(); }, 5000));
    Sleep(1500 * TimeScale());  // no second one follows
    ASSERT_EQ(tray.Balloons().size(), 1u);
    const auto [title, text] = tray.Balloons()[0];
    EXPECT_EQ(title, "2 windows closed");
    EXPECT_TRUE(text == "Daily News (block list: News)\nSports News (block list: News)" ||
                text == "Sports News (block list: News)\nDaily News (block list: News)")
        << text;
    // A click on it, as the shell reports it, lists them: taking one offers to take its entry out.
    PostMessageA(owner, WM_APP + 1, kIconId, NIN_BALLOONUSERCLICK);
    ASSERT_TRUE(WaitUntil([] { return VisibleMenu() != nullptr; }, 5000));
    Choose(VisibleMenu(), {VK_DOWN, VK_RIGHT});  // the first window's "Reopen"
    const HWND question = vandrel->WaitForMessageBox();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(VandrelProcess::QuestionText(question), "Remove 'News' from the block list?");
    SendMessageA(GetDlgItem(question, IDNO), BM_CLICK, 0, 0);
    // Kept in the list, and the page opened all the same.
    EXPECT_TRUE(
        WaitUntil([&] { return recorder.Opened().value_or("").find("ftp://news.blocked.invalid/") == 0; }, 10000))
        << recorder.Opened().value_or("nothing was opened");
    EXPECT_EQ(ReadScrambledTitles(), std::vector<std::string>{"News"});
  }
  // The item after "Recently closed" turns it off: nothing after the quiet time.
  Choose(RightClickIcon(), {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN});
  PopupHelper again{Frame("Evening News")};
  ASSERT_TRUE(again.WaitForCloses(0, 1));
  Sleep(7000 * TimeScale());
  EXPECT_EQ(tray.Balloons().size(), 1u);
}

}  // namespace
}  // namespace vandrel::test
