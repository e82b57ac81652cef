// The real Vandrel.exe under Wine closing helper windows at its scan ticks.
#include <gtest/gtest.h>

#include <cstdio>

#include "BrowserAddresses.h"
#include "PopupHelper.h"
#include "RegistryReset.h"
#include "ScanTicks.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

PopupWindowSpec Frame(const std::string& page, const std::string& suffix = "- Microsoft Internet Explorer") {
  return {"IEFrame", page + " " + suffix, true, true, false};
}

class ScanTest : public VandrelTest {
 protected:
};

TEST_F(ScanTest, PopupClassesWithoutMaximiseBoxAreClosedAtEveryTickUncounted) {
  PopupHelper helper{
      {"Internet Explorer_TridentDlgFrame", "Script dialog", true, false, true},
      {"Internet Explorer_TridentDlgFrame", "", true, false, true},
      {"Internet Explorer_TridentDlgFrame", "Has maximise box", true, true, true},
      {"Internet Explorer_TridentDlgFrame", "Hidden", false, false, true},
  };
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(helper.WaitForCloses(0, 3)) << "closed " << helper.ClosesReceived(0) << " times";
  EXPECT_EQ(helper.ClosesReceived(1), 0);
  EXPECT_EQ(helper.ClosesReceived(2), 0);
  EXPECT_EQ(helper.ClosesReceived(3), 0);
  EXPECT_EQ(vandrel.StatusText(1), "0 windows closed.");
}

TEST_F(ScanTest, WithBlockingOffNothingIsClosed) {
  Set("AutoStart", "0");
  StoreMonitoredNo();
  PopupHelper helper{{"Internet Explorer_TridentDlgFrame", "Script dialog", true, false, true}, BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(WaitForMonitorPass());
  ASSERT_TRUE(helper.Settle(1));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
}

TEST_F(ScanTest, FramesBeyondTheLimitAreClosedTopmostFirstAndCounted) {
  Set("LimitEnabled", "1");
  Set("LimitWindows", "2");
  PopupHelper helper{Frame("Oldest"), Frame("Second"), Frame("Third"), Frame("Newest"), TickWitness(), BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(helper.WaitForCloses(3, 1));
  EXPECT_TRUE(helper.WaitForCloses(2, 1));
  EXPECT_TRUE(vandrel.WaitForStatus(1, "2 windows closed."));
  ASSERT_TRUE(WaitForScanTicks(helper, 4, 5, 3));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
  EXPECT_EQ(helper.ClosesReceived(1), 0);
  EXPECT_EQ(vandrel.StatusText(1), "2 windows closed.");
}

TEST_F(ScanTest, WindowsAllowedByTitleOrSiteSurviveEveryPassAndAreNotCounted) {
  Set("LimitEnabled", "1");
  Set("LimitWindows", "3");
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"news"})));
  // A title part and a site, each with its kind letter.
  ASSERT_TRUE(WriteFileBytes(FileBesideVandrel("allowed.dat"), ScrambledTitles({"TMail", "Smail.example.com"})));
  const auto dialog = [](const char* title) {
    return PopupWindowSpec{"Internet Explorer_TridentDlgFrame", title, true, false, true};
  };
  PopupHelper helper{Frame("Home"),          Frame("News Mail"), Frame("News"), Frame("News"),  Frame("Sport"),
                     dialog("Mail sign-in"), dialog("Sign-in"),  TickWitness(), BarrierWindow()};
  BrowserAddresses addresses;
  ASSERT_TRUE(addresses.Ready());
  ASSERT_TRUE(addresses.Set(helper.Window(2), "http://news.mail.example.com/today"));  // a subdomain
  ASSERT_TRUE(addresses.Set(helper.Window(3), "http://mail.example.com.evil.example/today"));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(helper.WaitForCloses(3, 1));
  EXPECT_TRUE(helper.WaitForCloses(6, 1));  // the class pass
  ASSERT_TRUE(WaitForScanTicks(helper, 7, 8, 3));
  // Counted, either allowed frame would have made Sport, the topmost, one too many.
  for (const std::size_t i : {0, 1, 2, 4, 5}) EXPECT_EQ(helper.ClosesReceived(i), 0) << i;
}

// Titles and pages change while a frame lives: a frame whose title leaves
// its allowed part is a known frame, not a new one beyond the limit; one
// that arrives at an allowed site after about:blank stays; one that leaves
// it for a page of the block list goes.
TEST_F(ScanTest, AnAllowedFrameIsJudgedByTheTitleAndPageItShowsNow) {
  Set("LimitEnabled", "1");
  Set("LimitWindows", "2");
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"news"})));
  ASSERT_TRUE(WriteFileBytes(FileBesideVandrel("allowed.dat"), ScrambledTitles({"TExample Mail", "Sexample.org"})));
  PopupHelper helper{Frame("Home"),  Frame("Example Mail Inbox"), Frame("about:blank"), Frame("Weather"), TickWitness(),
                     BarrierWindow()};
  BrowserAddresses addresses;
  ASSERT_TRUE(addresses.Ready());
  ASSERT_TRUE(addresses.Set(helper.Window(2), "about:blank"));
  ASSERT_TRUE(addresses.Set(helper.Window(3), "http://www.example.org/weather"));
  const DWORD listsBefore = addresses.ListsMade();
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(WaitForScanTicks(helper, 4, 5, 2));
  const std::string suffix = " - Microsoft Internet Explorer";
  SetWindowTextA(helper.Window(1), ("Re: budget" + suffix).c_str());  // the limit is full without it
  ASSERT_TRUE(WaitForScanTicks(helper, 4, 5, 3));
  EXPECT_EQ(helper.ClosesReceived(1), 0);
  ASSERT_TRUE(addresses.Set(helper.Window(2), "http://www.example.org/news"));
  SetWindowTextA(helper.Window(2), ("News" + suffix).c_str());
  ASSERT_TRUE(addresses.Set(helper.Window(3), "http://news.example.net/"));
  SetWindowTextA(helper.Window(3), ("News" + suffix).c_str());
  EXPECT_TRUE(helper.WaitForCloses(3, 1));
  ASSERT_TRUE(WaitForScanTicks(helper, 4, 5, 3));
  for (const std::size_t i : {0, 1, 2}) EXPECT_EQ(helper.ClosesReceived(i), 0) << i;
  // Beyond the full limit, a pop-up that opens at about:blank and arrives at the allowed site stays.
  PopupHelper popup{Frame("about:blank")};
  ASSERT_TRUE(addresses.Set(popup.Window(0), "about:blank"));
  ASSERT_TRUE(WaitForScanTicks(helper, 4, 5, 2));
  ASSERT_TRUE(addresses.Set(popup.Window(0), "http://www.example.org/deals"));
  SetWindowTextA(popup.Window(0), ("Example Deals" + suffix).c_str());
  ASSERT_TRUE(WaitForScanTicks(helper, 4, 5, 3));
  EXPECT_EQ(popup.ClosesReceived(0), 0);
  // Every page change was read from one list, kept by the program since its first read.
  EXPECT_EQ(addresses.ListsMade() - listsBefore, 1u);
}

// A browser that does not answer for its address holds no tick up: a pop-up
// elsewhere is closed at the next tick, not when the answer comes.
TEST_F(ScanTest, AShellListThatDoesNotAnswerHoldsNoTickUp) {
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"news"})));
  ASSERT_TRUE(WriteFileBytes(FileBesideVandrel("allowed.dat"), ScrambledTitles({"Sexample.org"})));
  PopupHelper busy{Frame("Busy page"), TickWitness(), BarrierWindow()};
  BrowserAddresses addresses;
  ASSERT_TRUE(addresses.Ready());
  ASSERT_TRUE(addresses.Set(busy.Window(0), "http://busy.example.net/"));
  const DWORD answer = 10000 * TimeScale();
  ASSERT_TRUE(addresses.Delay(busy.Window(0), answer));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  ASSERT_TRUE(busy.WaitForCloses(1, 1, 15000));  // a tick has asked for the busy frame's address
  const DWORD shown = GetTickCount();
  PopupHelper elsewhere{{"Internet Explorer_TridentDlgFrame", "Script dialog", true, false, true}, Frame("News")};
  EXPECT_TRUE(elsewhere.WaitForCloses(0, 1, 15000));
  EXPECT_TRUE(elsewhere.WaitForCloses(1, 1, 15000));
  const DWORD waited = GetTickCount() - shown;
  std::printf("pop-ups closed %lu ms after they were shown, the shell's answer taking %lu ms\n",
              static_cast<unsigned long>(waited), static_cast<unsigned long>(answer));
  EXPECT_LT(waited, answer * 3 / 10);
}

TEST_F(ScanTest, ExpandingRaisesAndStoresTheLimitInsteadOfClosing) {
  Set("LimitEnabled", "1");
  Set("LimitWindows", "2");
  Set("LimitClose", "1");
  PopupHelper helper{Frame("A"), Frame("B"), Frame("C"), Frame("D"), Frame("E"), TickWitness(), BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  const bool stored = WaitUntil(
      [] {
        const auto raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "LimitWindows", View::Default);
        return raw && raw->type == REG_SZ && std::string(raw->bytes.c_str()) == "5";
      },
      5000);
  EXPECT_TRUE(stored);
  ASSERT_TRUE(WaitForScanTicks(helper, 5, 6, 3));
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(helper.ClosesReceived(i), 0) << i;
  EXPECT_EQ(vandrel.StatusText(1), "0 windows closed.");
}

TEST_F(ScanTest, TheBrowsersOwnWindowTitleMakesTheSuffix) {
  ASSERT_TRUE(
      WriteString(HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", "Window Title", "Explorer"));
  Set("LimitEnabled", "1");
  Set("LimitWindows", "1");
  PopupHelper helper{Frame("Kept", "- Explorer"), Frame("Default suffix"), Frame("Closed", "- Explorer"), TickWitness(),
                     BarrierWindow()};
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(helper.WaitForCloses(2, 1));
  EXPECT_TRUE(vandrel.WaitForStatus(1, "1 windows closed."));
  ASSERT_TRUE(WaitForScanTicks(helper, 3, 4, 3));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
  EXPECT_EQ(helper.ClosesReceived(1), 0);
}

}  // namespace
}  // namespace vandrel::test
