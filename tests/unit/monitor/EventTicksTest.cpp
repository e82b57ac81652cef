#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "monitor/EventTicks.h"
#include "platform/memory/MemoryDesktop.h"
#include "platform/memory/MemoryWindowEvents.h"

namespace vandrel {
namespace {

constexpr int kWakeUpToTick = EventTicks::kSettle + EventTicks::kRest;

struct Storm {
  const char* name;
  int every;     // ms between events
  int end;       // no events from here on
  int tickCost;  // ms a tick takes
};

// The model against a clock of whole milliseconds: the wake-up fires once
// its interval has passed since it was last armed, or, armed at once, once
// for each message its binding posts; the watch fires every interval.
class EventTicksClock : public ::testing::Test {
 protected:
  EventTicksClock() {
    wakeUp.redraw = [this] {
      armedAt = now;
      if (wakeUp.ArmedAtOnce()) ++posts;
    };
    watch.redraw = [this] { watchArmedAt = now; };
  }
  // Runs the clock to `until`; `onMillisecond` raises what the test wants then.
  template <typename Raise>
  void Run(int until, Raise onMillisecond) {
    for (; now < until; ++now) {
      onMillisecond();
      for (; posts > 0; --posts) wakeUp.Fire();
      if (wakeUp.Enabled() && !wakeUp.ArmedAtOnce() && now >= armedAt + wakeUp.Interval()) wakeUp.Fire();
      if (watch.Enabled() && now >= watchArmedAt + watch.Interval()) {
        watchArmedAt = now;
        watch.Fire();
      }
    }
  }
  void Run(int until) {
    Run(until, [] {});
  }
  int TicksBetween(int from, int to) const {
    return static_cast<int>(std::count_if(ticked.begin(), ticked.end(), [&](int t) { return t >= from && t <= to; }));
  }

  MemoryWindowEvents events;
  MemoryDesktop desktop;
  Timer wakeUp{1, false}, watch{1, false};
  int now = 0, armedAt = 0, watchArmedAt = 0, tickCost = 0, posts = 0;
  std::vector<int> heard, ticked;
  EventTicks ticks{events, desktop, wakeUp, watch, [this] {
                     ticked.push_back(now);
                     now += tickCost;
                   }};
};

class EventTicksTest : public EventTicksClock, public ::testing::WithParamInterface<Storm> {
 protected:
  void Run(const Storm& storm, int until) {
    EventTicksClock::Run(until, [&] {
      if (now < storm.end && now % storm.every == 0) {
        events.Raise();
        heard.push_back(now);
      }
    });
  }
};

TEST_P(EventTicksTest, EveryEventIsTickedSoonWhileTicksStayBoundedAndEndInOneLateTick) {
  const Storm storm = GetParam();
  tickCost = storm.tickCost;
  ticks.SetListening(true);
  Run(storm, storm.end + 2000);

  ASSERT_GE(ticked.size(), 3u);
  EXPECT_EQ(ticked[0], 0) << "the first event is ticked at once";
  EXPECT_EQ(ticked[1], storm.tickCost + EventTicks::kSettle) << "and settled";
  for (const int event : heard) {
    EXPECT_TRUE(std::any_of(ticked.begin(), ticked.end(),
                            [&](int tick) { return tick >= event && tick <= event + kWakeUpToTick; }))
        << "no tick soon after the event at " << event << " ms";
  }
  // At most two ticks per settling moment and rest, and a settling moment
  // between any two.
  for (std::size_t i = 2; i < ticked.size(); ++i) {
    EXPECT_GE(ticked[i] - ticked[i - 2], kWakeUpToTick + 2 * storm.tickCost) << "tick " << i;
    EXPECT_GE(ticked[i] - ticked[i - 1], EventTicks::kSettle + storm.tickCost) << "tick " << i;
  }
  const int lastEventTick = ticked.size() > 1 ? ticked[ticked.size() - 2] : -1;
  EXPECT_EQ(ticked.back(), lastEventTick + storm.tickCost + EventTicks::kRest + EventTicks::kLate)
      << "one late tick, then quiet";
  EXPECT_GE(ticked.back(), heard.back() + EventTicks::kLate);
  EXPECT_FALSE(wakeUp.Enabled());
}

INSTANTIATE_TEST_SUITE_P(Storms, EventTicksTest,
                         ::testing::Values(Storm{"OneEvent", 1, 1, 0}, Storm{"ThousandASecond", 1, 1000, 0},
                                           Storm{"ThousandASecondSlowTicks", 1, 1000, 30},
                                           Storm{"TenASecond", 100, 1000, 0},
                                           Storm{"EachJustAfterTheRest", 60, 1000, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EventTicksTest, SwitchingOffStopsListeningAndForgetsTheWakeUp) {
  ticks.SetListening(true);
  events.Raise();
  ASSERT_TRUE(wakeUp.Enabled());
  ticks.SetListening(false);
  EXPECT_FALSE(events.Listening());
  EXPECT_FALSE(wakeUp.Enabled());
  ticks.SetListening(true);
  Run({"OneEvent", 1, 1, 0}, 1000);
  EXPECT_EQ(ticked.size(), 3u);
}

// A window heard of while hidden and shown `shownAt` ms after its event,
// behind `newerHidden` hidden windows heard of just after it.
struct Showing {
  const char* name;
  int shownAt;
  int newerHidden;
  bool tickedOnShowing;  // within one look of its showing
};

class HiddenWindowTest : public EventTicksClock, public ::testing::WithParamInterface<Showing> {};

TEST_P(HiddenWindowTest, IsTickedAsItIsShownWhileWatched) {
  const Showing showing = GetParam();
  ticks.SetListening(true);
  const WindowHandle window = desktop.Open("Pop-up", "Internet Explorer_TridentDlgFrame", 0, false);
  events.Raise(window);
  for (int i = 0; i < showing.newerHidden; ++i) events.Raise(desktop.Open("Hidden", "Other", 0, false));
  Run(showing.shownAt);
  desktop.Show(window);
  Run(showing.shownAt + 1000);
  EXPECT_EQ(TicksBetween(showing.shownAt, showing.shownAt + EventTicks::kSettle) > 0, showing.tickedOnShowing);
  EXPECT_FALSE(watch.Enabled()) << "the watch ends";
}

INSTANTIATE_TEST_SUITE_P(
    Showings, HiddenWindowTest,
    ::testing::Values(Showing{"DuringTheRest", 25, 0, true}, Showing{"BeforeTheLateTick", 150, 0, true},
                      Showing{"AfterTheWatch", EventTicks::kWatch + 50, 0, false},
                      Showing{"BehindTheWatchedAtMost", 150, static_cast<int>(EventTicks::kWatchedAtMost), false},
                      Showing{"BehindFewerThanThat", 150, static_cast<int>(EventTicks::kWatchedAtMost) - 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

// A program that makes windows hidden and shows each a moment later, a
// thousand a second: at most one tick per look, and the late tick.
TEST_F(EventTicksClock, ShownWindowsInAStormTickAtMostOncePerLook) {
  ticks.SetListening(true);
  std::vector<WindowHandle> hidden;
  Run(1000, [&] {
    hidden.push_back(desktop.Open("Pop-up", "Other", 0, false));
    events.Raise(hidden.back());
    if (hidden.size() > 3) desktop.Show(hidden[hidden.size() - 4]);
  });
  EXPECT_LE(TicksBetween(0, 1000), 1000 / EventTicks::kSettle + 1);
  EXPECT_GE(TicksBetween(0, 1000), 1000 / (EventTicks::kSettle + EventTicks::kRest));
}

}  // namespace
}  // namespace vandrel
