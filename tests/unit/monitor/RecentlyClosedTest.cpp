// The list of recently closed windows as the scan fills it.
#include <gtest/gtest.h>

#include "ScanDoubles.h"
#include "monitor/RecentlyClosed.h"

namespace vandrel {
namespace {

using Strings = std::vector<std::string>;

class RecentlyClosedTest : public ::testing::Test, protected ScanDoubles {
 protected:
  RecentlyClosedTest() { scan.ReportClosesTo(recent); }
  // Each tick closes what it posted to, as the windows would.
  void Tick() {
    scan.Tick();
    desktop.ApplyCloses();
  }
  Strings Titles() const {
    Strings titles;
    for (const ClosedWindow& closed : recent.Newest()) titles.push_back(closed.title);
    return titles;
  }

  int clockReads = 0;
  RecentlyClosed recent{frameAddresses, [this] { return "12:0" + std::to_string(clockReads++); }};
};

TEST_F(RecentlyClosedTest, KeepsTheTenNewestCountedClosesNewestFirstWithRuleTimeAndAddress) {
  blockList.Assign({"ads", "casino"});
  for (int i = 0; i < 12; ++i) {
    const WindowHandle frame = Frame("Casino " + std::to_string(i));
    if (i == 11) addresses.addresses[frame] = "http://casino.example/11";
    Tick();
  }
  ASSERT_EQ(recent.Newest().size(), kRecentlyClosedCapacity);
  EXPECT_EQ(recent.Newest().front().title, "Casino 11 " + kSuffix);
  EXPECT_EQ(recent.Newest().back().title, "Casino 2 " + kSuffix);
  const ClosedWindow& newest = recent.Newest().front();
  EXPECT_EQ(RuleText(newest), "block list: casino");
  EXPECT_EQ(newest.time, "12:011");
  EXPECT_NE(recent.Find(newest.serial), nullptr);
  // The shell is asked for each page as it is first seen, while it still
  // lists the frame, and once: no tick waits for the answer.
  EXPECT_EQ(newest.address, "http://casino.example/11");
  EXPECT_EQ(recent.Newest()[1].address, "");  // the shell did not name it
  // A frame the shell has not listed yet is asked again, a few reads in all.
  Frame("Open");
  for (int i = 0; i < kReadsBeforeUnlisted + 2; ++i) Tick();
  EXPECT_EQ(addresses.reads, 12 + kReadsBeforeUnlisted);
  EXPECT_EQ(addresses.waited, 0u) << "no tick waits for a closed window's address";
  // One that stays open, listed from the second read on, is kept with its address.
  const WindowHandle slow = Frame("Casino slow");
  scan.Tick();
  addresses.addresses[slow] = "http://casino.example/slow";
  scan.Tick();
  scan.Tick();
  EXPECT_EQ(recent.Newest().front().address, "http://casino.example/slow");
  desktop.ApplyCloses();

  // An answer that comes after the close names no closed frame: the read
  // started at first sight is what Recently closed keeps.
  addresses.busy = true;
  const WindowHandle late = Frame("Casino late");
  addresses.addresses[late] = "http://casino.example/late";
  Tick();
  addresses.busy = false;
  Tick();
  EXPECT_EQ(recent.Newest().front().address, "");
  EXPECT_FALSE(recent.Newest().front().addressAsked);

  // While a read hangs, the frames waiting for the next are only the live ones.
  addresses.busy = true;
  Frame("Open too");
  for (int i = 0; i < 500; ++i) {
    Frame("Casino storm " + std::to_string(i));
    Tick();
  }
  EXPECT_LE(frameAddresses.Waiting(), 3u);
}

TEST_F(RecentlyClosedTest, TheLimitPassRecordsItsRuleAndAWindowClosedAgainIsListedOnce) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 1;
  blockList.Assign({"ads"});
  Strings news;  // what the tray's notice hears: a window closed again is not news
  recent.onNews = [&news](const std::vector<ClosedWindow>& closes) {
    for (const ClosedWindow& closed : closes) news.push_back(closed.title);
  };
  Frame("Home");
  Tick();
  const WindowHandle both = Frame("Ads");  // beyond the limit and listed
  scan.Tick();                             // it asks before closing: still open at the next tick
  desktop.GoesAfterNextTitleRead(both);    // and the first close ends it while the scan looks
  scan.Tick();
  const WindowHandle limited = Frame("Second");
  scan.Tick();
  EXPECT_EQ(Titles(), (Strings{"Second " + kSuffix, "Ads " + kSuffix}));
  EXPECT_EQ(RuleText(recent.Newest()[0]), "window limit");
  EXPECT_EQ(RuleText(recent.Newest()[1]), "window limit");  // the limit pass came first
  EXPECT_EQ(recent.Newest()[0].window, limited);
  EXPECT_EQ(recent.Newest()[1].window, both);
  EXPECT_EQ(events.closed, 5);  // each of them counted as ever
  EXPECT_EQ(news, (Strings{"Ads " + kSuffix, "Second " + kSuffix}));

  // One that stays and counts down in its title keeps one record, its title
  // brought up to date, and is news once.
  for (int left = 12; left > 0; --left) {
    desktop.Retitle(limited, "Second " + std::to_string(left) + " " + kSuffix);
    scan.Tick();
  }
  EXPECT_EQ(Titles(), (Strings{"Second 1 " + kSuffix, "Ads " + kSuffix}));
  EXPECT_EQ(recent.Newest()[0].window, limited);
  EXPECT_EQ(news.size(), 2u);
}

TEST_F(RecentlyClosedTest, AStormInOneTickAsksTheShellOnlyForTheWindowsKeptAndAReclosedWindowNotAgain) {
  blockList.Assign({"casino"});
  for (int i = 0; i < 12; ++i) Frame("Casino " + std::to_string(i));  // the last opened is topmost
  Tick();
  EXPECT_EQ(addresses.reads, 1);
  ASSERT_EQ(recent.Newest().size(), kRecentlyClosedCapacity);
  // The pass walks topmost first: the frames it reaches last are the newest.
  EXPECT_EQ(recent.Newest().front().title, "Casino 0 " + kSuffix);
  EXPECT_EQ(recent.Newest().back().title, "Casino 9 " + kSuffix);

  // A frame that asks before it goes is closed at every tick.
  const WindowHandle stays = Frame("Casino that asks first");
  addresses.addresses[stays] = "http://casino.example/";
  scan.Tick();
  addresses.addresses.clear();  // it has moved on, or the shell has stopped answering
  scan.Tick();
  scan.Tick();
  EXPECT_EQ(addresses.reads, 2);
  EXPECT_EQ(recent.Newest().front().window, stays);
  EXPECT_EQ(recent.Newest().front().address, "http://casino.example/");
  EXPECT_EQ(recent.Newest()[1].title, "Casino 0 " + kSuffix);
}

// A gone window's handle may go to a later window: one with the same title
// is closed anew, and neither takes the other's address.
TEST_F(RecentlyClosedTest, ALaterWindowGivenAGoneWindowsHandleIsAWindowOfItsOwn) {
  blockList.Assign({"casino"});
  const WindowHandle gone = Frame("Casino");  // the shell names no address for it
  Tick();
  Tick();  // the answer comes, and the window is gone
  desktop.HandOutAgain(gone);
  ASSERT_EQ(Frame("Casino"), gone);
  addresses.addresses[gone] = "http://casino.example/new";
  Tick();
  Tick();
  ASSERT_EQ(recent.Newest().size(), 2u);
  EXPECT_EQ(recent.Newest()[0].address, "http://casino.example/new");
  EXPECT_EQ(recent.Newest()[1].address, "");
}

}  // namespace
}  // namespace vandrel
