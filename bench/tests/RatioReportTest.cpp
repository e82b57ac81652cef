#include <gtest/gtest.h>

#include <sstream>

#include "RatioReport.h"

namespace vandrel {
namespace {

TEST(SummariseTest, GivesTheMinimumAndTheMedianOfOddAndEvenCounts) {
  const Timing odd = Summarise({30, 10, 20, 90, 40});
  EXPECT_DOUBLE_EQ(odd.minimum, 10);
  EXPECT_DOUBLE_EQ(odd.median, 30);
  EXPECT_EQ(odd.runs, 5u);
  const Timing even = Summarise({40, 10, 20, 90});
  EXPECT_DOUBLE_EQ(even.median, 30);
  EXPECT_DOUBLE_EQ(Summarise({7}).median, 7);
}

class RatioReportTest : public ::testing::Test {
 protected:
  bool Report(std::vector<RatioCheck> checks) { return WriteRatioReport(timings, checks, out); }

  TimingTable timings;
  std::ostringstream out;
};

TEST_F(RatioReportTest, ARatioOfTheMinimumsWithinItsGoalPassesAndShowsTheGoal) {
  timings.Add("big", 150);
  timings.Add("big", 400);  // a disturbed run: the ratio keeps to the minimum
  timings.Add("big", 160);
  timings.Add("small", 100);
  EXPECT_TRUE(Report({{"big/small", "big", "small", 2.0}}));
  EXPECT_NE(out.str().find("ratio big/small = 1.50 (goal <= 2.0) [medians: 1.60]\n"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("time big = 150 ns min, 160 ns median over 3 runs\n"), std::string::npos);
}

TEST_F(RatioReportTest, ARatioAboveItsGoalIsMarkedAndFailsTheReport) {
  timings.Add("big", 250);
  timings.Add("small", 100);
  EXPECT_FALSE(Report({{"info", "small", "big", std::nullopt}, {"big/small", "big", "small", 2.0}}));
  EXPECT_NE(out.str().find("ratio big/small = 2.50 (goal <= 2.0) MISSED"), std::string::npos);
  EXPECT_NE(out.str().find("ratio info = 0.40 [medians: 0.40]\n"), std::string::npos);
}

TEST_F(RatioReportTest, ABenchmarkThatDidNotRunFailsOnlyARatioWithAGoal) {
  timings.Add("small", 100);
  EXPECT_TRUE(Report({{"info", "missing", "small", std::nullopt}}));
  EXPECT_FALSE(Report({{"big/small", "missing", "small", 2.0}}));
  EXPECT_NE(out.str().find("ratio big/small = not measured"), std::string::npos);
}

}  // namespace
}  // namespace vandrel
