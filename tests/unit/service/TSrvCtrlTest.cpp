// The service controller against the in-memory service manager: connecting
// and opening, control requests and the wait for a state, configuration,
// dependencies and the service list.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/memory/MemoryServiceControlManager.h"
#include "platform/memory/MemoryWaitLoop.h"
#include "service/TSrvCtrl.h"

namespace vandrel {
namespace {

using Strings = std::vector<std::string>;

ServiceStatus Status(std::uint32_t state, std::uint32_t checkPoint = 0, std::uint32_t waitHint = 0) {
  return {0x10, state, 0, 0, 0, checkPoint, waitHint};
}

// The exception a call throws; the test fails when it throws none.
template <typename Call>
ESrvCtrlException Raised(Call call) {
  try {
    call();
  } catch (const ESrvCtrlException& error) {
    return error;
  }
  ADD_FAILURE() << "no exception";
  return ESrvCtrlException("");
}

class SrvCtrlTest : public ::testing::Test {
 protected:
  SrvCtrlTest() {
    // A wait that would never end fails the test instead of hanging it.
    loop.onDispatch = [this] {
      if (loop.dispatches > 100000) throw std::logic_error("the wait never ended");
    };
  }

  void Open() {
    ctrl.SetKeyName("Messenger");
    ctrl.SetActive(true);
  }
  // The manager's calls and the controller's events, in the order they came.
  void RecordEvents() {
    const auto record = [this](const char* name) { return [this, name](TSrvCtrl&) { scm.log.push_back(name); }; };
    ctrl.BeforeConnect = record("BeforeConnect");
    ctrl.AfterConnect = record("AfterConnect");
    ctrl.BeforeOpen = record("BeforeOpen");
    ctrl.AfterOpen = record("AfterOpen");
    ctrl.BeforeClose = record("BeforeClose");
    ctrl.AfterClose = record("AfterClose");
    ctrl.BeforeDisconnect = record("BeforeDisconnect");
    ctrl.AfterDisconnect = record("AfterDisconnect");
    ctrl.BeforeStateChange = record("BeforeStateChange");
    ctrl.AfterStateChange = record("AfterStateChange");
  }
  Strings TakeLog() { return std::exchange(scm.log, {}); }

  MemoryServiceControlManager scm;
  MemoryService& messenger = scm.AddService("Messenger");
  MemoryWaitLoop loop;
  TSrvCtrl ctrl{scm, loop};
};

// --- Connecting and opening ---------------------------------------------

TEST_F(SrvCtrlTest, LocalhostWhileEmptyKeepsTheConnectionAndAnotherMachineDropsIt) {
  Open();
  ctrl.SetMachine("localhost");
  EXPECT_TRUE(ctrl.Active());
  EXPECT_TRUE(ctrl.CheckHandle(TSrvHandle::Service, false));

  ctrl.SetMachine("server");
  EXPECT_FALSE(ctrl.Active());
  EXPECT_FALSE(ctrl.CheckHandle(TSrvHandle::Service, false));
  ctrl.SetActive(true);
  EXPECT_EQ(scm.lastMachine, "server");

  ctrl.SetMachine("localhost");
  EXPECT_EQ(ctrl.Machine(), "localhost");
  ctrl.SetActive(true);
  EXPECT_EQ(scm.lastMachine, "");
  EXPECT_EQ(scm.lastManagerAccess, 0xF003Fu);
}

TEST_F(SrvCtrlTest, ActivatingWhileConnectedReopensManagerAndServiceAndAccessReopensWithItsRights) {
  Open();
  RecordEvents();
  TakeLog();
  ctrl.SetActive(true);
  EXPECT_EQ(TakeLog(), (Strings{"BeforeClose", "CloseService", "AfterClose", "BeforeDisconnect", "CloseManager",
                                "AfterDisconnect", "BeforeConnect", "OpenManager ", "AfterConnect", "BeforeOpen",
                                "OpenService Messenger 0x1ff", "AfterOpen"}));

  ctrl.SetAccess({TSrvAccessType::satGetStatus, TSrvAccessType::satStart, TSrvAccessType::satUserDefCtrl});
  const Strings log = TakeLog();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "OpenService Messenger 0x114");
}

TEST_F(SrvCtrlTest, AMissingServiceRaisesTheSystemTextTrimmedAndKeepsTheOldKeyName) {
  Open();
  const auto error = Raised([&] { ctrl.SetKeyName("NoSuchService"); });
  EXPECT_EQ(error.ErrorCode(), 1060u);
  EXPECT_STREQ(error.what(), "The specified service does not exist as an installed service");
  EXPECT_EQ(ctrl.KeyName(), "Messenger");
  EXPECT_FALSE(ctrl.CheckHandle(TSrvHandle::Service, false));
}

TEST_F(SrvCtrlTest, OperationsWithoutTheirHandleRaiseTheComponentsTextsOrThePlatformsError) {
  ctrl.SetActive(true);
  const auto noService = Raised([&] { ctrl.QueryStatus(); });
  EXPECT_STREQ(noService.what(), "No service opened!");
  EXPECT_EQ(noService.ErrorCode(), 0u);
  // Start leaves the check to the platform: its invalid-handle error.
  EXPECT_EQ(Raised([&] { ctrl.Start(); }).ErrorCode(), 6u);
  ctrl.SetActive(false);
  Strings list;
  EXPECT_STREQ(Raised([&] { ctrl.EnumServices(list, 0, 0, false, 0); }).what(), "Not connected to Service Manager!");
}

TEST_F(SrvCtrlTest, AFailedCloseKeepsTheHandleAndDestructionReleasesEverything) {
  {
    TSrvCtrl other{scm, loop};
    other.SetActive(true);
    other.SetKeyName("Messenger");
    scm.FailNext(MemoryServiceControlManager::Call::Close, 6);
    EXPECT_THROW(other.CloseService(), ESrvCtrlException);
    EXPECT_TRUE(other.CheckHandle(TSrvHandle::Service, false));
  }
  EXPECT_EQ(scm.OpenHandles(), 0u);
}

// --- Control requests and the wait for a state ---------------------------

TEST_F(SrvCtrlTest, CodesWithoutAnEntrySendNothingAndFireNothing) {
  Open();
  messenger.status = Status(kServiceRunning);
  RecordEvents();
  TakeLog();
  for (std::uint32_t code : {0u, 5u, 7u, 128u, 200u}) ctrl.SendControl(code);
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(SrvCtrlTest, EachKnownCodeWaitsForItsOwnState) {
  Open();
  messenger.status = Status(kServiceRunning);
  ctrl.VerifyAction = true;
  ctrl.TimeOut = 5;
  ctrl.SendControl(kControlPause);
  EXPECT_EQ(ctrl.ServiceState(), 6);
  ctrl.SendControl(kControlContinue);
  EXPECT_EQ(ctrl.ServiceState(), 3);
  ctrl.SendControl(kControlInterrogate);
  ctrl.SendControl(kControlParamChange);
  messenger.afterStop = {Status(kServiceStopPending, 1), Status(kServiceStopped)};
  ctrl.Stop();
  EXPECT_EQ(ctrl.ServiceState(), 0);
}

TEST_F(SrvCtrlTest, StopWithoutVerifyingReturnsWhileTheServiceIsStillStopping) {
  Open();
  messenger.status = Status(kServiceRunning);
  messenger.afterStop = {Status(kServiceStopPending, 1), Status(kServiceStopPending, 2), Status(kServiceStopped)};
  ctrl.Stop();
  EXPECT_EQ(ctrl.ServiceState(), 2);
  EXPECT_EQ(ctrl.ServiceState(), 2);
  EXPECT_EQ(ctrl.ServiceState(), 0);
}

TEST_F(SrvCtrlTest, AWaitLastsOverPeriodsWhileTheCheckPointAdvancesAndHonoursTheWaitHint) {
  Open();
  ctrl.VerifyAction = true;
  ctrl.TimeOut = 2;
  // The check point moves only after five polls; the wait hint covers them.
  messenger.afterStart = {Status(kServiceStartPending, 1, 8), Status(kServiceStartPending, 1, 8),
                          Status(kServiceStartPending, 1, 8), Status(kServiceStartPending, 1, 8),
                          Status(kServiceStartPending, 1, 8), Status(kServiceStartPending, 2, 0),
                          Status(kServiceStartPending, 3, 0), Status(kServiceStartPending, 4, 0),
                          Status(kServiceStartPending, 5, 0), Status(kServiceRunning)};
  Strings progress;
  ctrl.OnProgress = [&](TSrvCtrl&, std::uint32_t checkPoint, bool& waitFor) {
    EXPECT_TRUE(waitFor);
    progress.push_back(std::to_string(checkPoint));
  };
  ctrl.Start();
  EXPECT_EQ(ctrl.ServiceState(), 3);
  EXPECT_EQ(progress.front(), "1");
  EXPECT_EQ(progress.back(), "5");
  // Each status query of the wait comes after a rest, not in a spin.
  EXPECT_GT(loop.rested, 0u);
}

TEST_F(SrvCtrlTest, APeriodWithoutProgressRaisesAndTheElapsedTimeSurvivesTheTickWrap) {
  Open();
  ctrl.VerifyAction = true;
  ctrl.TimeOut = 3;
  loop.now = 0xFFFFFFFE;
  messenger.afterStart = {Status(kServiceStartPending, 1), Status(kServiceStartPending, 1),
                          Status(kServiceStartPending, 2), Status(kServiceRunning)};
  ctrl.Start();
  EXPECT_EQ(ctrl.ServiceState(), 3);

  ctrl.Stop();
  messenger.status = Status(kServiceStopped);
  messenger.afterStart = {Status(kServiceStartPending, 7)};
  RecordEvents();
  const auto error = Raised([&] { ctrl.Start(); });
  EXPECT_STREQ(error.what(), "Error while changing service state!");
  EXPECT_EQ(error.ErrorCode(), 0u);
  EXPECT_NE(scm.log.back(), "AfterStateChange");
}

TEST_F(SrvCtrlTest, AProgressHandlerThatClearsWaitForEndsTheWaitWithoutError) {
  Open();
  ctrl.VerifyAction = true;
  ctrl.TimeOut = 3;
  messenger.afterStart = {Status(kServiceStartPending, 1)};
  int calls = 0;
  ctrl.OnProgress = [&](TSrvCtrl&, std::uint32_t, bool& waitFor) { waitFor = ++calls < 3; };
  EXPECT_NO_THROW(ctrl.Start());
  EXPECT_EQ(calls, 3);
  EXPECT_EQ(ctrl.ServiceState(), 1);
}

// --- Configuration and dependencies --------------------------------------

TEST_F(SrvCtrlTest, QueryConfigAsksAgainOnlyForTooSmallABuffer) {
  Open();
  messenger.config.dependencies = {"RpcSs"};
  TakeLog();
  EXPECT_EQ(ctrl.QueryConfig().dependencies, Strings{"RpcSs"});
  const Strings log = TakeLog();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], "QueryConfig 0");
  EXPECT_EQ(log[1], "QueryConfig 78");  // the size needed, and one byte more

  scm.FailNext(MemoryServiceControlManager::Call::QueryConfig, 5);
  EXPECT_THROW(ctrl.StartType(), ESrvCtrlException);
  EXPECT_EQ(TakeLog().size(), 1u);
}

TEST_F(SrvCtrlTest, DisplayNameIsCutTo256CharactersAndEachSetterChangesOnlyItsPart) {
  Open();
  ctrl.SetDisplayName(std::string(300, 'd'));
  ASSERT_EQ(scm.changes.size(), 1u);
  EXPECT_TRUE(scm.changes[0].setDisplayName);
  EXPECT_FALSE(scm.changes[0].setStartType || scm.changes[0].setDependencies);
  EXPECT_EQ(scm.changes[0].displayName, std::string(256, 'd'));

  ctrl.SetStartType(kStartDisabled);
  EXPECT_FALSE(scm.changes[1].setDisplayName || scm.changes[1].setDependencies);
  EXPECT_EQ(ctrl.StartType(), kStartDisabled);
}

TEST_F(SrvCtrlTest, DependenciesAreCheckedAgainstTheServicesAndWrittenAsDoubleZeroText) {
  scm.AddService("RpcSs");
  Open();
  ctrl.SetDependencies({"RpcSs", "rpcss", "+NetworkProvider"});
  EXPECT_EQ(scm.changes.back().dependencies, std::string("RpcSs\0+NetworkProvider\0\0", 24));
  EXPECT_EQ(ctrl.Dependencies(), (Strings{"RpcSs", "+NetworkProvider"}));

  const auto writes = scm.changes.size();
  EXPECT_STREQ(Raised([&] { ctrl.AddDependency("Nope"); }).what(),
               "The service with the internal keyname \"Nope\" doesn't exists!");
  EXPECT_EQ(scm.changes.size(), writes);
  EXPECT_EQ(ctrl.Dependencies().size(), 2u);

  ctrl.SetDependencies({});
  EXPECT_EQ(scm.changes.back().dependencies, std::string(1, '\0'));
  EXPECT_TRUE(messenger.config.dependencies.empty());
}

// --- The service list ----------------------------------------------------

TEST_F(SrvCtrlTest, EnumServicesSizesItsSecondCallFromTheFirstAnswerInEachNameForm) {
  scm.AddService(std::string(300, 'n'), "Long");
  scm.AddService("RpcSs", "Remote Procedure Call");
  ctrl.SetActive(true);
  TakeLog();
  Strings list{"old"};
  ctrl.EnumServices(list, 0, 0, false, 0);
  EXPECT_EQ(list, (Strings{"Messenger", std::string(300, 'n'), "RpcSs"}));
  // 3 records of 36 bytes and texts of 20, 306 and 28 bytes: 462 bytes.
  EXPECT_EQ(TakeLog(), (Strings{"Enum 0", "Enum 468"}));

  ctrl.EnumServices(list, 1, 2, false, 0);
  EXPECT_EQ(list, (Strings{"Messenger=Messenger", std::string(255, 'n') + "=Long", "RpcSs=Remote Procedure Call"}));
  ctrl.EnumServices(list, 1, 1, false, 2);
  EXPECT_EQ(list.back(), "Remote Procedure Call");
  ctrl.EnumServices(list, 1, 3, false, 0);
  EXPECT_TRUE(list.empty());
  list = {"untouched"};
  ctrl.EnumServices(list, 3, 0, false, 0);
  ctrl.EnumServices(list, 0, 0, false, 3);
  EXPECT_EQ(list, Strings{"untouched"});
}

TEST_F(SrvCtrlTest, EnumServicesAsksFromTheResumePointUntilTheListIsWholeInA64BitBuild) {
  scm.recordSize = 56;
  scm.recordsPerCall = 1;  // the manager answers one record at a time
  scm.AddService("RpcSs");
  scm.AddService("Spooler");
  ctrl.SetActive(true);
  Strings list;
  ctrl.EnumServices(list, 0, 0, false, 0);
  EXPECT_EQ(list, (Strings{"Messenger", "RpcSs", "Spooler"}));

  scm.recordsPerCall = 0;  // a manager that answers "more" and never moves on
  list.clear();
  ctrl.EnumServices(list, 0, 0, false, 0);
  EXPECT_TRUE(list.empty());
}

}  // namespace
}  // namespace vandrel
