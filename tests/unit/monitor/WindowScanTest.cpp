#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "ScanDoubles.h"

namespace vandrel {
namespace {

constexpr std::uint32_t kMax = kWsMaximizeBox;
class WindowScanTest : public ::testing::Test, protected ScanDoubles {
 protected:
  void Block(std::vector<std::string> entries) { blockList.Assign(std::move(entries)); }
};

TEST_F(WindowScanTest, ClassPassClosesTitledPopupClassesWithoutMaximiseBoxEveryTickUncounted) {
  const auto dialog = desktop.Open("Message", "Internet Explorer_TridentDlgFrame");
  const auto untitled = desktop.Open("", "Internet Explorer_TridentDlgFrame");
  const auto withMaxBox = desktop.Open("Page", "Internet Explorer_TridentDlgFrame", kMax);
  const auto iframe = desktop.Open("x", "MyIFRAMEHost");
  const auto hidden = desktop.Open("x", "IEFrame", 0, false);
  const auto lowercase = desktop.Open("x", "ieframe");
  scan.Tick();
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(dialog), 2);
  EXPECT_EQ(desktop.ClosesPostedTo(iframe), 2);
  EXPECT_EQ(desktop.ClosesPostedTo(untitled), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(withMaxBox), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(hidden), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(lowercase), 0);
  EXPECT_EQ(events.closed, 0);
}

TEST_F(WindowScanTest, AClassHoldingTwoFragmentsGetsOneClosePerFragment) {
  const auto both = desktop.Open("x", "IEFrame_IFRAME");
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(both), 2);
}

TEST_F(WindowScanTest, NewFramesBeyondTheLimitAreClosedTopmostFirst) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 2;
  const auto known = Frame("Known");
  scan.Tick();
  const auto b = Frame("B");
  const auto a = Frame("A");  // topmost
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(a), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(b), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(known), 0);
  EXPECT_EQ(events.closed, 1);
  EXPECT_EQ(scan.OldTitles(), (std::vector<std::string>{std::to_string(known), std::to_string(b)}));  // sorted as text
  EXPECT_EQ(events.icon, 4);
}

TEST_F(WindowScanTest, AFrameThatStaysOpenBeyondTheLimitIsClosedAndCountedAgain) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 1;
  Frame("First");
  scan.Tick();
  const auto stubborn = Frame("Asks first");
  scan.Tick();
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(stubborn), 2);
  EXPECT_EQ(events.closed, 2);
}

TEST_F(WindowScanTest, AKnownFrameThatTheUserClosedMakesRoomForANewOne) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 2;
  const auto gone = Frame("Read and closed");
  const auto stays = Frame("Still open");
  scan.Tick();
  desktop.Close(gone);
  const auto next = Frame("Next");
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(next), 0);
  EXPECT_EQ(events.closed, 0);
  EXPECT_EQ(scan.OldTitles().size(), 2u);
  EXPECT_EQ(std::count(scan.OldTitles().begin(), scan.OldTitles().end(), std::to_string(gone)), 0);
  EXPECT_EQ(std::count(scan.OldTitles().begin(), scan.OldTitles().end(), std::to_string(stays)), 1);
}

TEST_F(WindowScanTest, OnlyFramesCarryingTheSuffixCountTowardsTheLimit) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 1;
  desktop.Open("Other browser", "IEFrame", kMax);
  desktop.Open("x - Microsoft Internet Explorer", "NotAFrame", kMax);
  Frame("One");
  scan.Tick();
  EXPECT_EQ(events.closed, 0);
  EXPECT_EQ(scan.OldTitles().size(), 1u);
}

TEST_F(WindowScanTest, AsSetTheFirstTickClosesTheTopmostFramesBeyondTheLimit) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 5;
  std::vector<WindowHandle> frames;
  for (int i = 0; i < 7; ++i) frames.push_back(Frame("P" + std::to_string(i)));
  scan.Tick();
  EXPECT_EQ(events.closed, 2);
  EXPECT_EQ(desktop.ClosesPostedTo(frames[6]), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(frames[5]), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(frames[4]), 0);
}

TEST_F(WindowScanTest, ExpandingRaisesTheLimitOnlyFromTwoFramesBeyondIt) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 5;
  settings.LimitClose = kExpandLimit;
  for (int i = 0; i < 6; ++i) Frame("P" + std::to_string(i));
  scan.Tick();  // six frames: 6 - 1 is not above 5, so the topmost goes
  EXPECT_EQ(events.closed, 1);
  EXPECT_TRUE(events.raisedTo.empty());

  desktop.ApplyCloses();
  Frame("New1");
  Frame("New2");  // 7 open now: the armed raise fires on a later tick
  scan.Tick();
  EXPECT_EQ(events.raisedTo, std::vector<int>{7});
  EXPECT_EQ(settings.LimitWindows, 7);
  EXPECT_EQ(events.closed, 1);
  EXPECT_FALSE(scan.ExpandPending());

  for (int i = 0; i < 3; ++i) Frame("More" + std::to_string(i));
  scan.Tick();  // raised once only: now the limit holds
  EXPECT_EQ(events.raisedTo.size(), 1u);
  EXPECT_EQ(events.closed, 4);
}

// The main window stores the raised limit; a refused write throws out of the
// tick. The raise still counts as done: it is not tried again at the next
// tick (which would report the refusal at every tick), and the limit holds.
TEST_F(WindowScanTest, ARaiseWhoseStoreIsRefusedIsNotTriedAgain) {
  struct RefusingEvents : RecordingEvents {
    void LimitRaised(int limit) override {
      RecordingEvents::LimitRaised(limit);
      throw std::runtime_error("Cannot write the settings");
    }
  } refusing;
  WindowScan refused{desktop, settings, blockList, suffix, refusing};
  settings.LimitEnabled = true;
  settings.LimitWindows = 5;
  settings.LimitClose = kExpandLimit;
  for (int i = 0; i < 7; ++i) Frame("P" + std::to_string(i));
  EXPECT_THROW(refused.Tick(), std::runtime_error);
  EXPECT_EQ(settings.LimitWindows, 7);

  for (int i = 0; i < 3; ++i) Frame("More" + std::to_string(i));
  EXPECT_NO_THROW(refused.Tick());  // ten open would raise again if it were still armed
  EXPECT_EQ(refusing.raisedTo, std::vector<int>{7});
  EXPECT_EQ(settings.LimitWindows, 7);
  EXPECT_EQ(refusing.closed, 3);
}

TEST_F(WindowScanTest, ExpandingNeverGoesAboveFifteen) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 5;
  settings.LimitClose = kExpandLimit;
  for (int i = 0; i < 20; ++i) Frame("P" + std::to_string(i));
  scan.Tick();
  EXPECT_EQ(events.raisedTo, std::vector<int>{15});
  EXPECT_EQ(events.closed, 5);
}

TEST_F(WindowScanTest, ResetForgetsKnownFramesSoTheyCountAsNewAgain) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 2;
  for (int i = 0; i < 2; ++i) Frame("P" + std::to_string(i));
  scan.Tick();
  Frame("Third");
  Frame("Fourth");
  scan.Reset();
  EXPECT_TRUE(scan.OldTitles().empty());
  scan.Tick();
  EXPECT_EQ(events.closed, 2);  // the two topmost of four
}

TEST_F(WindowScanTest, LoweringTheLimitBelowTheKnownFramesClosesNoneOfThem) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 5;
  for (int i = 0; i < 3; ++i) Frame("P" + std::to_string(i));
  scan.Tick();
  EXPECT_EQ(events.icon, 2);  // 60 %
  settings.LimitWindows = 1;
  scan.Tick();
  EXPECT_EQ(events.closed, 0);
  EXPECT_EQ(events.icon, 2);  // 300 %: the icon stays as it was
}

TEST(TrayIconIndexTest, FollowsTheFillLevelInFifths) {
  EXPECT_EQ(TrayIconIndexFor(0, 5), 0);
  EXPECT_EQ(TrayIconIndexFor(1, 5), 0);    // 20 %
  EXPECT_EQ(TrayIconIndexFor(1, 4), 1);    // 25 %
  EXPECT_EQ(TrayIconIndexFor(2, 5), 1);    // 40 %
  EXPECT_EQ(TrayIconIndexFor(1, 2), 2);    // 50 %
  EXPECT_EQ(TrayIconIndexFor(2, 3), 3);    // 66 %
  EXPECT_EQ(TrayIconIndexFor(4, 5), 3);    // 80 %
  EXPECT_EQ(TrayIconIndexFor(14, 15), 4);  // 93 %
  EXPECT_EQ(TrayIconIndexFor(5, 5), 4);
  EXPECT_EQ(TrayIconIndexFor(6, 5), -1);  // above 100 %: unchanged
  EXPECT_EQ(TrayIconIndexFor(0, 0), 4);   // no window allowed at all: full
  EXPECT_EQ(TrayIconIndexFor(3, -2), 4);
}

TEST_F(WindowScanTest, WithoutTheLimitTheIconShowsEmptyAndKnownFramesAreKept) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 1;
  Frame("A");
  scan.Tick();
  ASSERT_EQ(events.icon, 4);  // full: only switching the limit off can empty it
  settings.LimitEnabled = false;
  Frame("B");
  Frame("C");
  scan.Tick();
  EXPECT_EQ(events.icon, 0);
  EXPECT_EQ(scan.OldTitles().size(), 1u);
  EXPECT_EQ(events.closed, 0);
}

TEST_F(WindowScanTest, EachMatchingEntryClosesAndCountsOnceBeforeTheIconIsUpdated) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 5;
  Block({"daily", "news", "sport"});
  const auto both = Frame("Daily NEWS");
  const auto one = Frame("news of the day, news again");
  const auto none = Frame("Weather");
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(both), 2);
  EXPECT_EQ(desktop.ClosesPostedTo(one), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(none), 0);
  EXPECT_EQ(events.closed, 3);
  // The icon waits on the shell, which may be busy: every pass has closed first.
  EXPECT_EQ(events.closedWhenIconSet, 3);
}

TEST_F(WindowScanTest, AllowedWindowsSurviveEveryPassAndAreLeftOutOfTheCount) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 1;
  Block({"news"});
  allowed.Add({AllowedKind::Title, "mail"});
  allowed.Add({AllowedKind::Title, "Explorer"});  // the suffix's own word spares no pop-up
  allowed.Add({AllowedKind::Site, "example.com"});
  const auto known = Frame("Home");
  addresses.addresses[known] = "http://home.example.net/";
  scan.Tick();
  const auto byTitle = Frame("News Mail");
  const auto bySite = Frame("News");
  addresses.addresses[bySite] = "http://www.example.com/news";
  const auto notAllowed = Frame("News");
  addresses.addresses[notAllowed] = "http://news.example.net/";
  const auto dialog = desktop.Open("Mail", "Internet Explorer_TridentDlgFrame");
  const auto suffixed = desktop.Open("Alert " + kSuffix, "Internet Explorer_TridentDlgFrame");
  // Sized pop-ups (no maximise box), which the class pass takes: an allowed
  // site's compose window stays, another site's goes.
  const auto compose = desktop.Open("Compose " + kSuffix, "IEFrame");
  addresses.addresses[compose] = "http://mail.example.com/compose";
  const auto sized = desktop.Open("Offer " + kSuffix, "IEFrame");
  addresses.addresses[sized] = "http://offers.example.net/";
  scan.Tick();
  scan.Tick();
  for (const auto window : {known, byTitle, bySite, dialog, compose}) {
    EXPECT_EQ(desktop.ClosesPostedTo(window), 0) << window;
  }
  EXPECT_GE(desktop.ClosesPostedTo(sized), 2);
  EXPECT_EQ(desktop.ClosesPostedTo(notAllowed), 4);  // limit and block list, at each tick
  EXPECT_EQ(desktop.ClosesPostedTo(suffixed), 2);
  EXPECT_EQ(events.icon, 4);  // one counted of one
  // Seen once, known while they live: an allowed frame is only left out of the count.
  auto expected = std::vector<std::string>{std::to_string(known), std::to_string(byTitle), std::to_string(bySite),
                                           std::to_string(compose)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(scan.OldTitles(), expected);
}

// A frame that stops being allowed, by a new title or a removed entry, is a
// known frame: it counts from then on and is never closed as a new one.
TEST_F(WindowScanTest, AFrameThatStopsBeingAllowedIsKnownNotNew) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 1;
  allowed.Add({AllowedKind::Title, "Example Mail"});
  allowed.Add({AllowedKind::Title, "Calendar"});
  Frame("Home");
  const auto mail = Frame("Example Mail Inbox");
  const auto calendar = Frame("Calendar");
  scan.Tick();
  desktop.Retitle(mail, "Re: budget " + kSuffix);
  allowed.Remove(1);
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(mail), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(calendar), 0);
  const auto next = Frame("Next");
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(next), 1);
  EXPECT_EQ(events.closed, 1);
}

// A site is judged by the page the frame shows now: its address is asked
// again when its title changes and while it names no page, and a shell that
// does not answer holds no tick up longer than kAddressWait.
TEST_F(WindowScanTest, ASiteIsJudgedByThePageShownNowAndALateShellHoldsNoTickUp) {
  Block({"news"});
  allowed.Add({AllowedKind::Site, "example.com"});
  const auto arriving = Frame("about:blank");
  addresses.addresses[arriving] = "about:blank";
  const auto leaving = Frame("Weather");
  addresses.addresses[leaving] = "http://www.example.com/weather";
  const auto loading = Frame("Loading");  // its title stays while its page arrives
  addresses.addresses[loading] = "about:blank";
  scan.Tick();
  addresses.addresses[loading] = "http://example.com/";
  Block({"news", "loading"});
  desktop.Retitle(arriving, "News " + kSuffix);
  addresses.addresses[arriving] = "http://www.example.com/news";
  desktop.Retitle(leaving, "News " + kSuffix);
  addresses.addresses[leaving] = "http://news.example.net/";
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(arriving), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(leaving), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(loading), 0);
  EXPECT_EQ(addresses.reads, 2);

  // The shell stops answering: the passes still run in every tick, each
  // waiting for no more than the read it started.
  EXPECT_EQ(addresses.waited, kFirstAddressWait + kAddressWait) << "only the run's first read is waited for longer";
  addresses.busy = true;
  addresses.waited = 0;
  const auto unlisted = Frame("News");
  const auto dialog = desktop.Open("Message", "Internet Explorer_TridentDlgFrame");
  scan.Tick();
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(unlisted), 0) << "held while its site is undecided";
  EXPECT_EQ(desktop.ClosesPostedTo(dialog), 2);
  EXPECT_EQ(desktop.ClosesPostedTo(arriving), 0) << "its answer still names the page it shows";
  EXPECT_EQ(addresses.waited, kAddressWait);
  addresses.busy = false;
  addresses.addresses[unlisted] = "http://example.com/";
  scan.Tick();  // the late answer named nothing: it is asked again, and the page is allowed
  EXPECT_EQ(desktop.ClosesPostedTo(unlisted), 0);

  // The allowed site's next page holds a listed word and its answer is
  // late: held again, not closed by the block list.
  addresses.busy = true;
  desktop.Retitle(unlisted, "Special news offer " + kSuffix);
  addresses.addresses[unlisted] = "http://example.com/offer";
  scan.Tick();
  addresses.busy = false;
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(unlisted), 0);
  // One whose answer never comes is closed once its wait is over.
  addresses.busy = true;
  const auto neverNamed = Frame("News");
  const int wait = SiteWaitTicks(settings.TimerInterval);
  for (int tick = 0; tick < wait; ++tick) scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(neverNamed), 0);
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(neverNamed), 1);

  // Frames that keep naming no page (a blank home page, one the shell never
  // lists) are asked at every tick while they are held, then ever less
  // often; a page that arrives later is still read.
  addresses.busy = false;
  const auto blankHome = Frame("Start");
  addresses.addresses[blankHome] = "about:blank";
  Frame("Never listed");
  scan.Tick();  // the late answer of the earlier read
  const int before = addresses.reads;
  for (int tick = 0; tick < wait; ++tick) scan.Tick();
  EXPECT_EQ(addresses.reads - before, wait);
  for (int tick = 0; tick < 200; ++tick) scan.Tick();
  EXPECT_LE(addresses.reads - before, wait + 5 + 200 / kMostTicksBetweenAsks) << "five waits doubling to the longest";
  addresses.addresses[blankHome] = "http://example.com/";
  for (int tick = 0; tick < kMostTicksBetweenAsks; ++tick) scan.Tick();
  const std::string* read = frameAddresses.AddressOf(blankHome, "Start " + kSuffix);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(*read, "http://example.com/");
}

// While the list holds sites, a frame first seen before its page is named
// is held back from the limit, still new, for SiteWaitTicks at the most.
TEST_F(WindowScanTest, ANewFrameWaitsForItsSiteBeforeTheLimitTakesIt) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 1;
  allowed.Add({AllowedKind::Site, "example.com"});
  const auto home = Frame("Home");
  addresses.addresses[home] = "http://home.example.net/";
  scan.Tick();
  const auto deals = Frame("about:blank");
  const auto blank = Frame("about:blank");  // its page never arrives
  addresses.addresses[deals] = addresses.addresses[blank] = "about:blank";
  const auto unnamed = Frame("Offers");  // the shell does not list it
  const int wait = SiteWaitTicks(settings.TimerInterval);
  const auto waitThenTick = [&] {
    for (int tick = 1; tick < wait; ++tick) scan.Tick();
    EXPECT_EQ(events.closed, 0);
    EXPECT_EQ(events.icon, 4);  // one of one: a frame held back is not counted
    scan.Tick();
  };
  scan.Tick();
  desktop.Retitle(deals, "Example Deals " + kSuffix);
  addresses.addresses[deals] = "http://www.example.com/deals";
  waitThenTick();
  EXPECT_EQ(desktop.ClosesPostedTo(deals), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(blank), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(unnamed), 1);
  auto expected = std::vector<std::string>{std::to_string(home), std::to_string(deals)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(scan.OldTitles(), expected);
  scan.Tick();  // still open: closed again at once, not waited for again
  EXPECT_EQ(desktop.ClosesPostedTo(blank), 2);

  addresses.busy = true;  // the shell never answers
  desktop.ApplyCloses();
  events.closed = 0;
  const auto unanswered = Frame("Deals");
  scan.Tick();
  waitThenTick();
  EXPECT_EQ(desktop.ClosesPostedTo(unanswered), 1);
  allowed.Remove(0);  // without sites a frame is judged at once
  const auto atOnce = Frame("about:blank");
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(atOnce), 1);
}

TEST_F(WindowScanTest, OnlyTheTitlePartBeforeTheFirstSuffixIsMatched) {
  Block({"microsoft", "again", "x"});
  const auto bare = desktop.Open(kSuffix, "IEFrame", kMax);
  const auto noSuffix = desktop.Open("x again", "IEFrame", kMax);
  const auto twice = desktop.Open("Page " + kSuffix + " again " + kSuffix, "IEFrame", kMax);
  const auto notAFrame = desktop.Open("x " + kSuffix, "Shell", kMax);
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(bare), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(noSuffix), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(twice), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(notAFrame), 0);
}

// However long a title, its suffix and every entry in its page title are
// seen, by the limit as by the block list.
TEST_F(WindowScanTest, LongTitlesAreSeenWhole) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 3;
  Block({"ppp", "tail"});
  const auto fits = desktop.Open(std::string(200, 'p') + " " + kSuffix, "IEFrame", kMax);
  const auto cutOnce = desktop.Open(std::string(250, 'p') + " " + kSuffix, "IEFrame", kMax);
  const auto late = desktop.Open(std::string(2000, 'q') + "tail " + kSuffix, "IEFrame", kMax);
  scan.Tick();
  for (const auto frame : {fits, cutOnce, late}) EXPECT_EQ(desktop.ClosesPostedTo(frame), 1) << frame;
  EXPECT_EQ(scan.OldTitles().size(), 3u);
}

// The passes share one walk of the desktop: a tick enumerates once, reads
// each visible window's class once and a frame's title once, and reads no
// title that none of its passes needs.
TEST_F(WindowScanTest, ATickWalksTheDesktopOnceAndReadsOnlyWhatItsPassesNeed) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 5;
  Block({"news"});
  const std::vector<WindowHandle> frames = {Frame("Daily news"), Frame("Weather"),
                                            desktop.Open("No suffix", "IEFrame", kMax)};
  const auto dialog = desktop.Open("Message", "Internet Explorer_TridentDlgFrame");
  const auto ordinary = desktop.Open("Editor", "Notepad", kMax);
  const auto hidden = desktop.Open("Hidden", "IEFrame", kMax, false);
  scan.Tick();
  EXPECT_EQ(desktop.Enumerations(), 1);
  for (const WindowHandle window : {frames[0], frames[1], frames[2], dialog, ordinary}) {
    EXPECT_EQ(desktop.ReadsOf(window).classNames, 1) << window;
  }
  for (const WindowHandle frame : frames) EXPECT_EQ(desktop.ReadsOf(frame).titles, 1) << frame;
  EXPECT_EQ(desktop.ReadsOf(dialog).titles, 1);
  EXPECT_EQ(desktop.ReadsOf(ordinary).titles, 0);
  EXPECT_EQ(desktop.ReadsOf(hidden).classNames, 0);
  EXPECT_EQ(desktop.ClosesPostedTo(frames[0]), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(dialog), 1);

  // Without the limit and the block list, a frame that keeps its maximise
  // box is of no concern to any pass: its title is left unread.
  settings.LimitEnabled = false;
  Block({});
  desktop.ForgetReads();
  scan.Tick();
  EXPECT_EQ(desktop.Enumerations(), 1);
  for (const WindowHandle frame : frames) EXPECT_EQ(desktop.ReadsOf(frame).titles, 0) << frame;
  EXPECT_EQ(desktop.ReadsOf(dialog).titles, 1);
}

}  // namespace
}  // namespace vandrel
