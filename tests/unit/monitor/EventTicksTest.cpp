#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "monitor/EventTicks.h"
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
// its interval has passed since it was last armed.
class EventTicksTest : public ::testing::TestWithParam<Storm> {
 protected:
  EventTicksTest() {
    wakeUp.redraw = [this] { armedAt = now; };
  }
  void Run(const Storm& storm, int until) {
    for (; now < until; ++now) {
      if (now < storm.end && now % storm.every == 0) {
        events.Raise();
        heard.push_back(now);
      }
      if (wakeUp.Enabled() && now >= armedAt + wakeUp.Interval()) wakeUp.Fire();
    }
  }

  MemoryWindowEvents events;
  Timer wakeUp{1, false};
  int now = 0, armedAt = 0, tickCost = 0;
  std::vector<int> heard, ticked;
  EventTicks ticks{events, wakeUp, [this] {
                     ticked.push_back(now);
                     now += tickCost;
                   }};
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
  // At most two ticks per settling moment and rest.
  for (std::size_t i = 2; i < ticked.size(); ++i) {
    EXPECT_GE(ticked[i] - ticked[i - 2], kWakeUpToTick + 2 * storm.tickCost) << "tick " << i;
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
                                           Storm{"TenASecond", 100, 1000, 0}),
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

}  // namespace
}  // namespace vandrel
