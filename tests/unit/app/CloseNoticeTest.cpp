// The tray's balloon about closed windows: which closes make one balloon, and when.
#include "app/CloseNotice.h"

#include <gtest/gtest.h>

#include "platform/PlatformError.h"
#include "platform/memory/MemoryRegistry.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

ClosedWindow Closed(const std::string& page, const std::string& entry = "") {
  ClosedWindow closed;
  closed.title = page + " - Microsoft Internet Explorer";
  closed.blockListEntry = entry;
  return closed;
}
struct Closes {
  std::uint32_t at;
  std::vector<ClosedWindow> windows;  // one tick's
};
struct Shown {
  std::uint32_t at;
  Balloon balloon;
  bool operator==(const Shown&) const = default;
};
struct Row {
  const char* what;
  std::vector<Closes> ticks;
  std::vector<Shown> shown;
  std::uint32_t start = 0;  // the tick count at the first tick
  bool on = true;
};

void PrintTo(const Row& row, std::ostream* out) { *out << row.what; }

const std::string kLong(70, 'x');
const std::vector<ClosedWindow> kStorm(30, Closed("Casino Royale Jackpot Tonight", "casino"));
const std::string kStormText = [] {
  std::string text;
  for (int i = 0; i < 4; ++i) text += "Casino Royale Jackpot Tonight (block list: casino)\n";
  return text + "and 26 more";
}();

const Row kRows[] = {
    {"one close names its window and rule", {{0, {Closed("Daily News", "news")}}},
     {{1000, {"Window closed", "Daily News (block list: news)"}}}},
    {"closes within the gathering are one balloon, newest first",
     {{0, {Closed("A")}}, {600, {Closed("B", "b"), Closed(kLong)}}},
     {{1000, {"3 windows closed", std::string(57, 'x') + "... (window limit)\nB (block list: b)\nA (window limit)"}}}},
    {"a close within the quiet time waits for its end", {{0, {Closed("A")}}, {2000, {Closed("B")}}},
     {{1000, {"Window closed", "A (window limit)"}}, {6000, {"Window closed", "B (window limit)"}}}},
    {"a close after the quiet time is a new balloon", {{0, {Closed("A")}}, {8000, {Closed("B")}}},
     {{1000, {"Window closed", "A (window limit)"}}, {9000, {"Window closed", "B (window limit)"}}}},
    {"the tick count wraps", {{0, {Closed("A")}}, {2000, {Closed("B")}}},
     {{1000, {"Window closed", "A (window limit)"}}, {6000, {"Window closed", "B (window limit)"}}}, 0xFFFFF000u},
    {"a storm is counted whole, in whole lines", {{0, kStorm}}, {{1000, {"30 windows closed", kStormText}}}},
    {"notices off tell nothing", {{0, {Closed("A")}}}, {}, 0, false},
};

class CloseNoticeTest : public ::testing::Test {
 protected:
  CloseNoticeTest() {
    timer.redraw = [this] { armedAt = now; };
    notice.show = [this](const Balloon& balloon) { shown.push_back({now, balloon}); };
  }
  // Fires the timer whenever it comes due up to `at`, as the system would.
  void RunUntil(std::uint32_t at) {
    while (timer.Enabled() && armedAt + timer.Interval() - at > 0x80000000u) {
      now = armedAt + timer.Interval();
      timer.Fire();
    }
    now = at;
  }
  Settings settings;
  MemoryRegistry registry;
  std::string suffix = "- Microsoft Internet Explorer";
  Timer timer;
  std::uint32_t now = 0, armedAt = 0;
  CloseNotice notice{settings, registry, suffix, timer, [this] { return now; }};
  std::vector<Shown> shown;
};

class CloseNoticeTable : public CloseNoticeTest, public ::testing::WithParamInterface<Row> {};

TEST_P(CloseNoticeTable, ShowsTheBalloonsOfTheTable) {
  const Row& row = GetParam();
  settings.NoticeEnabled = row.on;
  for (const Closes& tick : row.ticks) {
    RunUntil(row.start + tick.at);
    notice.Closed(tick.windows);
  }
  RunUntil(row.start + 60000);
  for (Shown& balloon : shown) balloon.at -= row.start;
  EXPECT_EQ(shown, row.shown);
}
INSTANTIATE_TEST_SUITE_P(Rows, CloseNoticeTable, ::testing::ValuesIn(kRows));

TEST_F(CloseNoticeTest, TurningItOffStoresItAndForgetsWhatWaitsARefusedWriteChangesNothing) {
  notice.Closed({Closed("A")});
  notice.Toggle();
  EXPECT_EQ(registry.ReadValue(RootKey::CurrentUser, kSettingsKeyPath, kNoticeSetting)->text, "0");
  notice.Toggle();  // on again: what waited is not told
  notice.Closed({Closed("B")});
  RunUntil(60000);
  EXPECT_EQ(shown, (std::vector<Shown>{{1000, {kOneClosedTitle, "B (window limit)"}}}));
  registry.DenyWrites(RootKey::CurrentUser, kSettingsKeyPath);
  EXPECT_THROW(notice.Toggle(), PlatformError);
  EXPECT_TRUE(notice.On());
}

}  // namespace
}  // namespace vandrel
