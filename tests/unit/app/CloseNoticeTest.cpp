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
using Tick = std::pair<std::uint32_t, std::vector<ClosedWindow>>;  // when, what it closed
using Shown = std::pair<std::uint32_t, Balloon>;
struct Row {
  const char* what;
  std::vector<Tick> ticks;
  std::vector<Shown> shown;
  std::uint32_t start = 0;  // the tick count at the first tick
  bool on = true;
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.what; }

const Balloon kA{kOneClosedTitle, "A (window limit)"}, kB{kOneClosedTitle, "B (window limit)"};
const std::string kStormLine = "Casino Royale Jackpot Tonight (block list: casino)\n";  // 50 characters and the break
const Row kRows[] = {
    {"one close names its window and rule", {{0, {Closed("Daily News", "news")}}},
     {{1000, {kOneClosedTitle, "Daily News (block list: news)"}}}},
    {"closes within the gathering are one balloon, newest first, long titles cut",
     {{0, {Closed("A")}}, {600, {Closed("B", "b"), Closed(std::string(70, 'x'))}}},
     {{1000, {"3 windows closed", std::string(57, 'x') + "... (window limit)\nB (block list: b)\nA (window limit)"}}}},
    {"a close within the quiet time waits for its end", {{0, {Closed("A")}}, {2000, {Closed("B")}}},
     {{1000, kA}, {6000, kB}}},
    {"a close after the quiet time is a new balloon", {{0, {Closed("A")}}, {8000, {Closed("B")}}},
     {{1000, kA}, {9000, kB}}},
    {"the tick count wraps", {{0, {Closed("A")}}, {2000, {Closed("B")}}}, {{1000, kA}, {6000, kB}}, 0xFFFFF000u},
    {"a storm is counted whole, in whole lines beside the count of the rest",
     {{0, std::vector<ClosedWindow>(30, Closed("Casino Royale Jackpot Tonight", "casino"))}},
     {{1000, {"30 windows closed", kStormLine + kStormLine + kStormLine + kStormLine + "and 26 more"}}}},
    {"notices off tell nothing", {{0, {Closed("A")}}}, {}, 0, false},
};

class CloseNoticeTest : public ::testing::TestWithParam<Row> {
 protected:
  CloseNoticeTest() {
    timer.redraw = [this] { armedAt = now; };
    notice.show = [this](const Balloon& balloon) { shown.emplace_back(now, balloon); };
  }
  // Fires the timer whenever it comes due up to `at`, as the system would.
  void RunUntil(std::uint32_t at) {
    for (; timer.Enabled() && armedAt + timer.Interval() - at > 0x80000000u; timer.Fire()) {
      now = armedAt + timer.Interval();
    }
    now = at;
  }
  Settings settings;
  MemoryRegistry registry;
  std::string suffix = "- Microsoft Internet Explorer";
  Timer timer;
  std::uint32_t now = 0, armedAt = 0;
  LeadByteTable singleBytes{};
  CloseNotice notice{settings, registry, suffix, singleBytes, timer, [this] { return now; }};
  std::vector<Shown> shown;
};

TEST_P(CloseNoticeTest, ShowsTheBalloonsOfTheTable) {
  settings.NoticeEnabled = GetParam().on;
  for (const auto& [at, closes] : GetParam().ticks) {
    RunUntil(GetParam().start + at);
    notice.Closed(closes);
  }
  RunUntil(GetParam().start + 60000);
  for (Shown& balloon : shown) balloon.first -= GetParam().start;
  EXPECT_EQ(shown, GetParam().shown);
}
INSTANTIATE_TEST_SUITE_P(Rows, CloseNoticeTest, ::testing::ValuesIn(kRows));

TEST_F(CloseNoticeTest, TurningItOffStoresItAndForgetsWhatWaitsARefusedWriteChangesNothing) {
  notice.Closed({Closed("A")});
  notice.Toggle();
  EXPECT_EQ(registry.ReadValue(RootKey::CurrentUser, kSettingsKeyPath, kNoticeSetting)->text, "0");
  notice.Toggle();  // on again: what waited is not told
  notice.Closed({Closed("B")});
  RunUntil(60000);
  EXPECT_EQ(shown, (std::vector<Shown>{{1000, kB}}));
  registry.DenyWrites(RootKey::CurrentUser, kSettingsKeyPath);
  EXPECT_THROW(notice.Toggle(), PlatformError);
  EXPECT_TRUE(notice.On());
}

}  // namespace
}  // namespace vandrel
