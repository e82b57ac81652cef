#include <gtest/gtest.h>

#include "options/MessengerPage.h"
#include "platform/memory/MemoryServiceControlManager.h"
#include "platform/memory/MemorySystemInfo.h"
#include "platform/memory/MemoryWaitLoop.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

ServiceStatus Status(std::uint32_t state, std::uint32_t checkPoint = 0) {
  return {0x10, state, 0, 0, 0, checkPoint, 0};
}

class MessengerPageTest : public ::testing::Test {
 protected:
  void Put(std::uint32_t state, unsigned long startType = kStartOnDemand) {
    messenger->status = Status(state);
    messenger->config.startType = static_cast<std::uint32_t>(startType);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompts.Messages()) texts.push_back(shown.text);
    return texts;
  }

  MemoryServiceControlManager scm;
  MemoryService* messenger = &scm.AddService("Messenger");
  MemoryWaitLoop loop;
  MemorySystemInfo system;
  ScriptedPrompts prompts;
  TSrvCtrl ctrl{scm, loop};
  MessengerPage page{ctrl, system, prompts};
};

TEST_F(MessengerPageTest, TheNinetyFiveFamilyOrAServiceThatCannotBeReadDisableThePageSilently) {
  system.version = VersionRecord{4, 10, 2222, 1, " A "};
  page.FormShow();
  EXPECT_FALSE(page.GroupBox5.Enabled());
  EXPECT_EQ(page.GroupBox5.Caption(), kMessengerUnavailable);
  EXPECT_EQ(page.Image1.ImageIndex(), kPictureUnavailable);
  EXPECT_FALSE(page.Timer1.Enabled());

  MemorySystemInfo xp;
  MessengerPage nt{ctrl, xp, prompts};
  scm.FailNext(MemoryServiceControlManager::Call::OpenService, 1060);
  nt.FormShow();
  EXPECT_EQ(nt.GroupBox5.Caption(), kMessengerUnavailable);
  EXPECT_EQ(nt.Image1.ImageIndex(), kPictureUnavailable);
  EXPECT_FALSE(nt.Timer1.Enabled()) << "the refresh stops";
  EXPECT_TRUE(prompts.Messages().empty());
  EXPECT_EQ(scm.OpenHandles(), 0u);
}

TEST_F(MessengerPageTest, TheRefreshShowsEachStateAndADisabledServiceNeverOffersStart) {
  const struct {
    std::uint32_t state;
    unsigned long startType;
    int picture;
    bool stop, start;
  } rows[] = {
      {kServiceStopped, kStartOnDemand, kPictureStopped, false, true},
      {kServiceRunning, kStartOnDemand, kPictureRunning, true, false},
      {kServicePaused, kStartOnDemand, kPicturePaused, true, false},
      {kServiceStopPending, kStartOnDemand, kPictureChanging, true, false},  // buttons kept from before
      {kServiceStopped, kStartDisabled, kPictureStopped, false, false},
  };
  page.FormShow();
  for (const auto& row : rows) {
    Put(row.state, row.startType);
    page.Timer1.Fire();
    EXPECT_EQ(page.Image1.ImageIndex(), row.picture) << row.state;
    EXPECT_EQ(page.StpMess.Enabled(), row.stop) << row.state;
    EXPECT_EQ(page.StrMess.Enabled(), row.start) << row.state;
  }
  EXPECT_EQ(scm.OpenHandles(), 0u) << "every action disconnects";
}

TEST_F(MessengerPageTest, TheStartTypeIsShownAtEveryShowingAndApplyWritesThePickedOne) {
  Put(kServiceStopped, kStartAutomatic);
  page.FormShow();
  EXPECT_EQ(page.StType.ItemIndex(), 0);
  EXPECT_FALSE(page.AppMess.Enabled()) << "a choice made by code is no change";
  page.StType.UserSelect(2);
  EXPECT_TRUE(page.AppMess.Enabled());
  page.AppMess.Click();
  EXPECT_EQ(messenger->config.startType, kStartDisabled);
  EXPECT_FALSE(page.AppMess.Enabled());
  page.FormShow();
  EXPECT_EQ(page.StType.ItemIndex(), 2);
  EXPECT_FALSE(page.StrMess.Enabled());
}

TEST_F(MessengerPageTest, StopAndStartRefuseTheWrongStateAndTheHourglassWaitsForASteadyRefresh) {
  Put(kServiceStopped);
  page.FormShow();
  page.StpMess.Click();
  EXPECT_EQ(Texts(), std::vector<std::string>{kMessengerNotRunning});
  EXPECT_TRUE(page.Hourglass());
  EXPECT_TRUE(page.Busy());
  page.Timer1.Fire();
  EXPECT_FALSE(page.Hourglass());
  EXPECT_FALSE(page.Busy());

  Put(kServicePaused);
  page.Timer1.Fire();
  page.StrMess.SetEnabled(true);
  page.StrMess.Click();
  EXPECT_EQ(Texts().back(), kMessengerAlreadyRunning);
  EXPECT_EQ(messenger->status.currentState, kServicePaused) << "not continued";

  Put(kServiceRunning);
  page.Timer1.Fire();
  page.StpMess.Click();
  EXPECT_EQ(Texts().size(), 2u);
  EXPECT_NE(messenger->status.currentState, kServiceRunning) << "stopped";
}

TEST_F(MessengerPageTest, TheSignboardStopsAndDisablesOnceAndAsksToWaitWhileBusy) {
  Put(kServiceRunning);
  messenger->afterStop = {Status(kServiceStopPending)};
  page.FormShow();
  page.Image2MouseDown();
  EXPECT_EQ(Texts(), std::vector<std::string>{kMessengerStoppedAndDisabled});
  EXPECT_EQ(messenger->config.startType, kStartDisabled);
  EXPECT_EQ(page.StType.ItemIndex(), 2);
  page.Image2MouseDown();
  EXPECT_EQ(Texts().back(), kMessengerPleaseWait);

  messenger->upcoming.clear();
  Put(kServiceStopped, kStartOnDemand);
  page.Timer1.Fire();
  page.Image2MouseDown();
  EXPECT_EQ(Texts().back(), kMessengerStoppedAndDisabled) << "a stopped service is only disabled";
}

TEST_F(MessengerPageTest, NoRefreshRunsInsideAnActionsBoxAndAFailureIsShownOnce) {
  Put(kServicePaused);
  page.FormShow();
  page.Timer1.Fire();
  // The refresh timer fires while "Messenger is not running!" is up: it waits.
  prompts.WhileNextBoxIsUp([&] {
    Put(kServiceRunning);
    page.Timer1.Fire();
  });
  page.StpMess.Click();
  ASSERT_EQ(Texts(), std::vector<std::string>{kMessengerNotRunning});
  EXPECT_EQ(page.Image1.ImageIndex(), kPicturePaused) << "the refresh did not run inside the box";
  page.Timer1.Fire();
  EXPECT_EQ(page.Image1.ImageIndex(), kPictureRunning);

  // A failing refresh shows its error; a refresh inside that box does not nest another.
  scm.FailNext(MemoryServiceControlManager::Call::QueryStatus, 5);
  prompts.WhileNextBoxIsUp([&] {
    scm.FailNext(MemoryServiceControlManager::Call::QueryStatus, 5);
    page.Timer1.Fire();
  });
  page.Timer1.Fire();
  EXPECT_EQ(Texts().back(), "Access is denied");
  EXPECT_EQ(prompts.Messages().size(), 2u);
  EXPECT_TRUE(page.Timer1.Enabled()) << "the refresh goes on after its error";
}

// The page's controller waits only when VerifyAction is set; set here, its
// wait dispatches messages, in which the dialog can be shown again or a quit come.
TEST_F(MessengerPageTest, AShowingDuringAWaitLeavesTheServiceToItAndAQuitEndsTheWaitWithoutABox) {
  ctrl.VerifyAction = true;
  ctrl.TimeOut = 50;
  Put(kServiceRunning, kStartOnDemand);
  page.FormShow();
  messenger->afterStop = {Status(kServiceStopPending, 1), Status(kServiceStopPending, 2), Status(kServiceStopped)};
  int showings = 0;
  loop.onDispatch = [&] {
    messenger->config.startType = kStartAutomatic;
    page.FormShow();
    ++showings;
  };
  page.StpMess.Click();
  EXPECT_GT(showings, 0);
  EXPECT_TRUE(prompts.Messages().empty()) << Texts().front();
  EXPECT_EQ(messenger->status.currentState, kServiceStopped);
  EXPECT_EQ(page.StType.ItemIndex(), 0) << "the showing read the start type after the stop";
  EXPECT_EQ(scm.OpenHandles(), 0u);

  // A quit met in the wait ends the action there: no box, no start type written.
  loop.onDispatch = [&] { loop.quitPosted = true; };
  page.ClearBusy();
  Put(kServiceRunning, kStartOnDemand);
  messenger->afterStop = {Status(kServiceStopPending, 1)};
  const int dispatchesBefore = loop.dispatches;
  page.Image2MouseDown();
  EXPECT_EQ(loop.dispatches - dispatchesBefore, 1) << "the wait ended at the quit";
  EXPECT_TRUE(prompts.Messages().empty()) << Texts().front();
  EXPECT_EQ(messenger->config.startType, kStartOnDemand);
}

}  // namespace
}  // namespace vandrel
