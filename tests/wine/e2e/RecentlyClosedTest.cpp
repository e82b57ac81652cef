// The real Vandrel.exe's "Recently closed" submenu under Wine, driven
// through the notification-area icon as the shell drives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "AddressRecorder.h"
#include "BrowserAddresses.h"
#include "PopupHelper.h"
#include "ScanTicks.h"
#include "TrayIcon.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kIconOwnerClass = "TCoolTrayIcon";
constexpr UINT kIconCallback = WM_APP + 1;
constexpr UINT kIconId = 1;
// Show, Block, Block 100%, Block List, Always Allowed, Erase, Recently closed
constexpr WPARAM kDownToRecentlyClosed = 7;

PopupWindowSpec Frame(const std::string& page) {
  return {"IEFrame", page + " - Microsoft Internet Explorer", true, true, false};
}

// The menus on screen, of any process: the menu window class.
std::vector<HWND> VisibleMenus() {
  std::vector<HWND> menus;
  for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu;
       menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
    if (IsWindowVisible(menu)) menus.push_back(menu);
  }
  return menus;
}

class RecentlyClosedTest : public TrayIconTest {
 protected:
  void SetUp() override {
    VandrelTest::SetUp();
    ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"News"})));
  }

  // Down to the submenu, open it (its first item, the newest, is selected)
  // and that window's offers; true when they are open, the first selected.
  bool OpenOffersOfTheNewest() {
    PostMessageA(owner, kIconCallback, kIconId, WM_RBUTTONDOWN);
    PostMessageA(owner, kIconCallback, kIconId, WM_RBUTTONUP);
    if (!WaitUntil([] { return !VisibleMenus().empty(); }, 5000)) return false;
    menu = VisibleMenus().front();
    for (WPARAM i = 0; i < kDownToRecentlyClosed; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RIGHT, 0);
    if (!WaitUntil([] { return VisibleMenus().size() == 2; }, 5000)) return false;
    PostMessageA(menu, WM_KEYDOWN, VK_RIGHT, 0);
    return WaitUntil([] { return VisibleMenus().size() == 3; }, 5000);
  }

  HWND menu = nullptr;  // the keys go to the first menu, as the menu loop reads them
};

TEST_F(RecentlyClosedTest, ChoosingAWindowTheBlockListClosedOffersToTakeItsEntryOut) {
  const AddressRecorder recorder("ftp");
  ASSERT_TRUE(recorder.Ready());
  BrowserAddresses addresses;
  ASSERT_TRUE(addresses.Ready());
  StartVandrel();
  // Of a host that no site the earlier runs left in allowed.dat allows.
  const std::string address = "ftp://news.blocked.invalid/daily";
  {
    PopupWindowSpec asksFirst = Frame("Daily News & more");
    asksFirst.ignoresClose = true;  // listed by the shell while it asks
    PopupHelper helper{asksFirst};
    ASSERT_TRUE(addresses.Set(helper.Window(0), address));
    ASSERT_TRUE(helper.WaitForCloses(0, 1));
  }
  // Counted (a frame still there at the next tick is closed and counted again).
  ASSERT_TRUE(
      WaitUntil([&] { return vandrel->StatusText(1).value_or("0 windows closed.") != "0 windows closed."; }, 5000))
      << vandrel->StatusText(1).value_or("(no status)");
  ASSERT_TRUE(OpenOffersOfTheNewest());
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);  // "Reopen"
  ASSERT_TRUE(WaitUntil([] { return VisibleMenus().empty(); }, 5000));

  const HWND question = vandrel->WaitForMessageBox();
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(VandrelProcess::QuestionText(question), "Remove 'News' from the block list?");
  SendMessageA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([] { return ReadScrambledTitles().empty(); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return recorder.Opened() == address + "\n"; }, 10000))
      << recorder.Opened().value_or("nothing was opened");

  // The entry gone, the same page stays open now.
  PopupHelper again{Frame("Daily News & more"), TickWitness(), BarrierWindow()};
  ASSERT_TRUE(WaitForScanTicks(again, 1, 2, 3));
  EXPECT_EQ(again.ClosesReceived(0), 0);
}

TEST_F(RecentlyClosedTest, AllowingTheSiteOfAClosedWindowKeepsItsHostAndReopensItsAddress) {
  const AddressRecorder recorder("ftp");  // only a web page's address is reopened
  ASSERT_TRUE(recorder.Ready());
  BrowserAddresses addresses;
  ASSERT_TRUE(addresses.Ready());
  // The list the earlier runs left stays: a host of this run's own is not in it.
  const std::string allowed = FileBesideVandrel("allowed.dat");
  std::vector<std::string> expected;  // as the list holds it: each entry once
  for (std::string& entry : ReadScrambledTitles(allowed)) {
    if (std::find(expected.begin(), expected.end(), entry) == expected.end()) expected.push_back(std::move(entry));
  }
  // A site in the list makes the first tick wait for the shell's first
  // answer, read while the frame lives; the frame then closes, and the
  // shell names it no more. A user's list that holds a site does the same.
  if (std::none_of(expected.begin(), expected.end(),
                   [](const std::string& entry) { return !entry.empty() && entry[0] == 'S'; })) {
    expected.push_back("Skept.example.org");
    ASSERT_TRUE(WriteFileBytes(allowed, ScrambledTitles(expected)));
  }
  std::string host = "run";  // letters only, which every layout of the file keeps as they are
  for (DWORD tick = GetTickCount(); tick; tick /= 26) host += static_cast<char>('a' + tick % 26);
  host += ".example.com";
  const std::string address = "ftp://Daily." + host + "/news?id=7";
  PopupHelper helper{Frame("Daily News & more")};
  ASSERT_TRUE(addresses.Set(helper.Window(0), address));
  StartVandrel();
  ASSERT_TRUE(helper.WaitForCloses(0, 1));
  ASSERT_TRUE(OpenOffersOfTheNewest());
  PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);  // "Always allow this site"
  ASSERT_TRUE(WaitUntil([] { return VisibleMenus().empty(); }, 5000));

  expected.push_back("Sdaily." + host);  // the host in lower case, without the page
  EXPECT_TRUE(WaitUntil([&] { return ReadScrambledTitles(allowed) == expected; }, 5000))
      << testing::PrintToString(ReadScrambledTitles(allowed));
  EXPECT_TRUE(WaitUntil([&] { return recorder.Opened() == address + "\n"; }, 10000))
      << recorder.Opened().value_or("nothing was opened");
  EXPECT_EQ(ReadScrambledTitles(), std::vector<std::string>{"News"}) << "the block list stays as it was";
}

}  // namespace
}  // namespace vandrel::test
