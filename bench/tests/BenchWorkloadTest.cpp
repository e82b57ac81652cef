#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "BenchWorkload.h"
#include "NaiveBlockListPass.h"
#include "blocklist/TitleSuffix.h"
#include "platform/memory/MemorySystemInfo.h"

namespace vandrel {
namespace {

const std::string kSuffix = kDefaultTitleSuffix;

// The baseline only means something if it closes what the scan closes.
TEST(NaiveBlockListPassTest, PostsAndCountsWhatTheScansBlockListPassDoes) {
  MemoryDesktop desktop;
  const UpperCaseTable upper = MemorySystemInfo().UpperCasing();
  const auto news = desktop.Open("Daily NEWS " + kSuffix, "IEFrame", kWsMaximizeBox);
  const auto cafe = desktop.Open("CAF\xC9 du coin " + kSuffix, "IEFrame", kWsMaximizeBox);
  const auto twice = desktop.Open("Plain " + kSuffix + " news " + kSuffix, "IEFrame", kWsMaximizeBox);
  const auto noSuffix = desktop.Open("Daily news", "IEFrame", kWsMaximizeBox);
  const auto notAFrame = desktop.Open("Daily news " + kSuffix, "Notepad");
  const std::vector<std::string> entries = {"news", "daily", "", "caf\xE9", "explorer", "zzz"};

  Settings settings;
  CountingEvents scanEvents, naiveEvents;
  BlockList blockList(upper), emptyList(upper);
  blockList.Assign(entries);
  WindowScan(desktop, settings, blockList, kSuffix, scanEvents).Tick();
  const auto scanPosted = desktop.Posted();
  desktop.Posted().clear();
  WindowScan(desktop, settings, emptyList, kSuffix, naiveEvents).Tick();
  NaiveBlockListPass(desktop, entries, upper, kSuffix, naiveEvents).Run();

  EXPECT_EQ(desktop.ClosesPostedTo(news), 2);
  EXPECT_EQ(desktop.ClosesPostedTo(cafe), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(twice), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(noSuffix), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(notAFrame), 0);
  EXPECT_EQ(naiveEvents.closed, 3);
  EXPECT_EQ(scanEvents.closed, naiveEvents.closed);
  ASSERT_EQ(scanPosted.size(), desktop.Posted().size());
  for (std::size_t i = 0; i < scanPosted.size(); ++i) {
    EXPECT_EQ(scanPosted[i].window, desktop.Posted()[i].window) << "message " << i;
  }
}

TEST(BenchDesktopTest, HoldsTwoHundredVisibleWindowsOfWhichTwentyAreFramesWithAMaximiseBox) {
  MemoryDesktop desktop;
  const auto titleParts = OpenBenchDesktop(desktop, kSuffix);
  std::vector<WindowHandle> windows;
  desktop.ListVisibleWindows(windows);
  ASSERT_EQ(windows.size(), 200u);

  std::size_t frames = 0, untitled = 0;
  for (const WindowHandle window : windows) {
    std::string title;
    ClassText className;
    desktop.ReadTitle(window, title);
    desktop.ReadClassName(window, className);
    if (title.empty()) ++untitled;
    if (className.view() != kBrowserFrameClass) continue;
    ++frames;
    EXPECT_NE(desktop.ReadStyle(window) & kWsMaximizeBox, 0u);
    EXPECT_FALSE(TitlePart(title, kSuffix, LeadByteTable{}).empty());
  }
  EXPECT_EQ(frames, 20u);
  EXPECT_GT(untitled, 0u);
  EXPECT_EQ(std::set<std::string>(titleParts.begin(), titleParts.end()).size(), 20u);
  // Frames are spread through the Z-order, not stacked on top.
  EXPECT_NE(windows.front(), desktop.Find("IEFrame", titleParts.back() + " " + kSuffix));
}

TEST(BlockEntriesTest, AreDistinctMixedCaseEntriesOfThreeToThirtyCharactersAndRepeatable) {
  const UpperCaseTable upper = MemorySystemInfo().UpperCasing();
  const std::vector<std::string> avoid = {"Weather forecast 1", "Online banking 2"};
  const auto entries = MakeBlockEntries(2000, 7, avoid, upper);
  ASSERT_EQ(entries.size(), 2000u);

  std::set<std::string> upperCased;
  bool latin1 = false, lower = false, capital = false;
  for (const std::string& entry : entries) {
    EXPECT_GE(entry.size(), 3u);
    EXPECT_LE(entry.size(), 30u);
    for (const std::string& text : avoid) EXPECT_FALSE(ContainsIgnoringCase(text, entry, upper)) << entry;
    std::string key;
    UpperCaseInto(entry, upper, key);
    upperCased.insert(key);
    latin1 =
        latin1 || std::any_of(entry.begin(), entry.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    lower = lower || std::any_of(entry.begin(), entry.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    capital = capital || std::any_of(entry.begin(), entry.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
  }
  EXPECT_EQ(upperCased.size(), entries.size());
  EXPECT_TRUE(latin1 && lower && capital);
  EXPECT_EQ(MakeBlockEntries(2000, 7, avoid, upper), entries);
  EXPECT_NE(MakeBlockEntries(2000, 8, avoid, upper), entries);
}

class BenchWorkloadTest : public ::testing::TestWithParam<DesktopDouble> {};

TEST_P(BenchWorkloadTest, WithoutAMatchingEntryATickLeavesTheDesktopAlone) {
  BenchWorkload workload(1000, BlockMatch::None, GetParam());
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(workload.Tick(), 0u);
    EXPECT_EQ(workload.NaiveTick(), 0u);
  }
  EXPECT_EQ(workload.Events().closed, 0);
  EXPECT_EQ(workload.Events().icon, 3);  // 20 frames of 25: the limit is used but not reached
  EXPECT_FALSE(workload.Matcher().empty());
}

TEST_P(BenchWorkloadTest, WithOneMatchingEntryEveryTickClosesOneFrameOnce) {
  BenchWorkload workload(1000, BlockMatch::OneFrame, GetParam());
  EXPECT_EQ(std::count(workload.Entries().begin(), workload.Entries().end(), kMatchingEntry), 1);
  for (int tick = 0; tick < 3; ++tick) {
    EXPECT_EQ(workload.Tick(), 1u);
    EXPECT_EQ(workload.NaiveTick(), 1u);
  }
  EXPECT_EQ(workload.Events().closed, 6);
}

INSTANTIATE_TEST_SUITE_P(BothDoubles, BenchWorkloadTest,
                         ::testing::Values(DesktopDouble::Memory, DesktopDouble::Indexed));

}  // namespace
}  // namespace vandrel
