#include <gtest/gtest.h>

#include "ScanDoubles.h"
#include "monitor/BlockingModes.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

class BlockingModesTest : public ::testing::Test, protected ScanDoubles {
 protected:
  BlockingModesTest() {
    profile.Items = {"Yes to all", "No to all", "Defaults"};
    profile.OnClick = [this] { profileClicks.push_back(profile.ItemIndex()); };
    modes.SetGlobalProfile(&profile);
  }

  Timer timer{100, false};
  ScriptedPrompts prompts;
  int trayIcon = -1;
  BlockingModes modes{timer, scan, settings, prompts, [this](int index) { trayIcon = index; }};
  RadioGroup profile;
  std::vector<int> profileClicks;
};

TEST_F(BlockingModesTest, BeforeTheFirstToggleTheControlsShowTheirDesignedTexts) {
  EXPECT_EQ(modes.Start.Caption(), "B&lock");
  EXPECT_EQ(modes.Start.Hint(), "Start the Popup manager");
  EXPECT_EQ(modes.Start.ImageIndex(), 0);
  EXPECT_EQ(modes.Start1.Caption(), "Block");
  EXPECT_EQ(modes.StoProc.Caption(), " Block &100% ");
  EXPECT_EQ(modes.StoProc.Hint(), "Start 100% Popup Stopper");
  EXPECT_EQ(modes.StoProc.ImageIndex(), 8);
  EXPECT_EQ(modes.Stop1001.Caption(), "Block &100%");
  EXPECT_EQ(modes.Stop1002.Caption(), "Block 100%");
  EXPECT_STREQ(modes.BlockMenuLabel(), "Block");
  EXPECT_STREQ(modes.Block100MenuLabel(), "Block &100%");
}

TEST_F(BlockingModesTest, BlockTogglesTheScanAndEveryControlShowingIt) {
  modes.Start1.Click();
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(modes.Start.Caption(), "UnB&lock");
  EXPECT_EQ(modes.Start.Hint(), "Allow PopUps");
  EXPECT_EQ(modes.Start.ImageIndex(), 5);
  EXPECT_EQ(modes.Start2.Caption(), "UnB&lock");
  EXPECT_EQ(modes.Start1.Caption(), "UnB&lock");
  EXPECT_STREQ(modes.BlockMenuLabel(), "UnBlock");

  modes.Start2.Click();
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(modes.Start.Caption(), " B&lock ");
  EXPECT_EQ(modes.Start.Hint(), "Block PopUps");
  EXPECT_EQ(modes.Start.ImageIndex(), 0);
  EXPECT_EQ(modes.Start2.Hint(), "Block PopUps");
  EXPECT_EQ(modes.Start1.Caption(), "B&lock");
  EXPECT_EQ(trayIcon, 0);
}

TEST_F(BlockingModesTest, SwitchingOffAndOnTreatsOpenFramesAsNewAgain) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 2;
  modes.Start1Click();
  for (int i = 0; i < 4; ++i) Frame("P" + std::to_string(i));
  scan.Tick();
  desktop.ApplyCloses();
  Frame("Q1");
  Frame("Q2");
  modes.Start1Click();
  modes.Start1Click();
  scan.Tick();
  EXPECT_EQ(events.closed, 4);  // two at each first tick
}

TEST_F(BlockingModesTest, SwitchingOffAndOnAfterARaiseArmsTheRaiseAgain) {
  settings.LimitEnabled = true;
  settings.LimitWindows = 2;
  settings.LimitClose = kExpandLimit;
  modes.Start1Click();
  for (int i = 0; i < 4; ++i) Frame("P" + std::to_string(i));
  scan.Tick();
  ASSERT_EQ(settings.LimitWindows, 4);
  modes.Start1Click();
  modes.Start1Click();
  for (int i = 0; i < 2; ++i) Frame("Q" + std::to_string(i));
  scan.Tick();
  EXPECT_EQ(settings.LimitWindows, 6);
  EXPECT_EQ(events.closed, 0);
}

TEST_F(BlockingModesTest, Block100ForcesOneWindowAndNoToAllThenPutsBothBack) {
  settings.LimitEnabled = false;
  settings.LimitWindows = 7;
  settings.LimitClose = kExpandLimit;
  modes.StoProc.Click();
  EXPECT_TRUE(modes.Block100Active());
  EXPECT_TRUE(settings.LimitEnabled);
  EXPECT_EQ(settings.LimitWindows, 1);
  EXPECT_EQ(settings.LimitClose, kLimitAsSet);
  EXPECT_FALSE(timer.Enabled());  // Block 100% does not start the scan
  EXPECT_EQ(profileClicks, std::vector<int>{1});
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Information);
  EXPECT_EQ(prompts.Messages()[0].text, kTakesEffectLater);
  EXPECT_EQ(modes.StoProc.Caption(), "UnBlock &100%");
  EXPECT_EQ(modes.StoProc.Hint(), "End 100% Popup Stopper");
  EXPECT_EQ(modes.StoProc.ImageIndex(), 9);
  EXPECT_EQ(modes.Stop1002.Caption(), "UnBlock &100%");
  EXPECT_STREQ(modes.Block100MenuLabel(), "UnBlock &100%");

  modes.Stop1002.Click();
  EXPECT_FALSE(modes.Block100Active());
  EXPECT_FALSE(settings.LimitEnabled);
  EXPECT_EQ(settings.LimitWindows, 7);
  EXPECT_EQ(settings.LimitClose, kExpandLimit);
  EXPECT_EQ(profileClicks, (std::vector<int>{1, 0}));
  EXPECT_EQ(prompts.Messages().size(), 1u);  // no message on the way off
  EXPECT_EQ(modes.StoProc.Caption(), " Block &100% ");
  EXPECT_EQ(modes.StoProc.Hint(), "Block 100% PopUps");
  EXPECT_EQ(modes.Stop1002.Caption(), "Block &100%");
}

TEST_F(BlockingModesTest, EndBlock100KeepsTheLimitAndTheProfileAsTheyAre) {
  settings.LimitWindows = 4;
  modes.StoProcClick();
  settings.LimitWindows = 9;  // what the options dialog stored
  modes.EndBlock100();
  EXPECT_FALSE(modes.Block100Active());
  EXPECT_EQ(settings.LimitWindows, 9);
  EXPECT_EQ(profile.ItemIndex(), 1);
  EXPECT_STREQ(modes.Block100MenuLabel(), "Block &100%");
  modes.StoProcClick();  // on again: saves the new values
  modes.StoProcClick();
  EXPECT_EQ(settings.LimitWindows, 9);
}

TEST_F(BlockingModesTest, WithBlock100OnOnlyTheLowestNewFrameSurvivesTheFirstTick) {
  modes.StoProcClick();
  modes.Start1Click();
  const auto lowest = Frame("Lowest");
  Frame("Middle");
  Frame("Top");
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(lowest), 0);
  EXPECT_EQ(events.closed, 2);
}

TEST_F(BlockingModesTest, ARefusedRichMediaWriteStillLeavesTheModeOnSoTheLimitCanBePutBack) {
  settings.LimitWindows = 6;
  profile.OnClick = [] { throw std::runtime_error("Failed to set data for 'Compatibility Flags'"); };
  EXPECT_THROW(modes.StoProcClick(), std::runtime_error);
  EXPECT_TRUE(modes.Block100Active());
  profile.OnClick = nullptr;
  modes.StoProcClick();
  EXPECT_EQ(settings.LimitWindows, 6);
}

}  // namespace
}  // namespace vandrel
