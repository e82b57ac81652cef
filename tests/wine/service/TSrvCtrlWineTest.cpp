// The service controller over the real service manager under Wine, driving
// the tests' own service program installed for each test.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "TestService.h"
#include "WaitUntil.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32ServiceControlManager.h"
#include "platform/win32/Win32WaitLoop.h"
#include "service/TSrvCtrl.h"

namespace vandrel {
namespace {

using Strings = std::vector<std::string>;

constexpr const char* kName = "VandrelTestSvc";
constexpr const char* kDisplayName = "Vandrel test service";
// Events the service waits for before it leaves its pending states.
constexpr const char* kHoldStart = "Global\\VandrelTestServiceHoldStart";
constexpr const char* kHoldStop = "Global\\VandrelTestServiceHoldStop";

// A registry value of the service's key as its raw bytes; empty when absent.
// Wine's QueryServiceConfigA gives no dependencies, so they are read there.
std::string ServiceValue(const char* name) {
  UniqueHkey key;
  const std::string path = std::string("System\\CurrentControlSet\\Services\\") + kName;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, key.put()) != 0) return {};
  char data[512];
  DWORD size = sizeof data;
  if (RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size) != 0) {
    return {};
  }
  return std::string(data, size);
}

// This thread's processor time in milliseconds: what a wait that spins burns.
double ProcessorMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  return (ULARGE_INTEGER{{kernel.dwLowDateTime, kernel.dwHighDateTime}}.QuadPart +
          ULARGE_INTEGER{{user.dwLowDateTime, user.dwHighDateTime}}.QuadPart) /
         10000.0;
}

bool Contains(const Strings& list, const std::string& line) {
  return std::find(list.begin(), list.end(), line) != list.end();
}

class TSrvCtrlWineTest : public ::testing::Test {
 protected:
  void Open() {
    ctrl.SetActive(true);
    ctrl.SetKeyName(kName);
  }
  bool ReachesState(int state) {
    return test::WaitUntil([&] { return ctrl.ServiceState() == state; }, 20000, 50);
  }

  test::InstalledTestService installed{kName, kDisplayName};
  Win32ServiceControlManager scm;
  Win32WaitLoop loop;
  TSrvCtrl ctrl{scm, loop};
};

TEST_F(TSrvCtrlWineTest, AnOpenedServiceReportsItsStateAndConfiguration) {
  Open();
  EXPECT_EQ(ctrl.ServiceState(), 0);
  EXPECT_EQ(ctrl.StartType(), kStartOnDemand);
  const ServiceConfig config = ctrl.QueryConfig();
  EXPECT_EQ(config.displayName, kDisplayName);
  EXPECT_EQ(config.binaryPathName, test::TestServicePath());
  EXPECT_EQ(config.serviceType, static_cast<std::uint32_t>(SERVICE_WIN32_OWN_PROCESS));
}

TEST_F(TSrvCtrlWineTest, VerifiedStartAndStopWaitForTheirStatesThroughTheCheckPoints) {
  Open();
  ctrl.VerifyAction = true;
  std::vector<std::uint32_t> progress;
  ctrl.OnProgress = [&](TSrvCtrl&, std::uint32_t checkPoint, bool&) { progress.push_back(checkPoint); };
  ctrl.Start();
  EXPECT_EQ(ctrl.ServiceState(), 3);
  // The service counts its check point up from 1 while it starts.
  EXPECT_NE(std::find(progress.begin(), progress.end(), 2u), progress.end());

  ctrl.Stop();
  EXPECT_EQ(ctrl.ServiceState(), 0);
}

TEST_F(TSrvCtrlWineTest, UnverifiedStartAndStopReturnWhileTheServiceIsPending) {
  const UniqueHandle holdStart(CreateEventA(nullptr, TRUE, FALSE, kHoldStart));
  const UniqueHandle holdStop(CreateEventA(nullptr, TRUE, FALSE, kHoldStop));
  ASSERT_TRUE(holdStart && holdStop);
  Open();
  ctrl.Start({kHoldStart, kHoldStop});
  EXPECT_EQ(ctrl.ServiceState(), 1);
  // Held by its start arguments, it stays pending past its own five steps.
  Sleep(1500);
  EXPECT_EQ(ctrl.ServiceState(), 1);
  SetEvent(holdStart.get());
  EXPECT_TRUE(ReachesState(3));

  ctrl.Stop();
  EXPECT_EQ(ctrl.ServiceState(), 2);
  SetEvent(holdStop.get());
  EXPECT_TRUE(ReachesState(0));
}

// A quit posted while a verified start waits (a registration run's, the
// uninstaller's) ends the wait at once, burns no processor, and stays
// posted for the main loop.
TEST_F(TSrvCtrlWineTest, AQuitDuringAVerifiedStartEndsTheWaitPromptlyAndStaysPosted) {
  const UniqueHandle holdStart(CreateEventA(nullptr, TRUE, FALSE, kHoldStart));
  ASSERT_TRUE(holdStart);
  // Held pending, the service would keep a wait that misses the quit going
  // until this lets it go.
  std::thread letGo([&] {
    WaitForSingleObject(holdStart.get(), 4000);
    SetEvent(holdStart.get());
  });
  Open();
  ctrl.VerifyAction = true;
  ctrl.TimeOut = 3000;
  DWORD postedAt = 0;
  double processorAtPost = 0;
  ctrl.OnProgress = [&](TSrvCtrl&, std::uint32_t, bool&) {
    if (postedAt != 0) return;
    postedAt = GetTickCount();
    processorAtPost = ProcessorMs();
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
  };
  EXPECT_THROW(ctrl.Start({kHoldStart}), ProgramEnding);
  const DWORD elapsed = GetTickCount() - postedAt;
  const double processor = ProcessorMs() - processorAtPost;
  SetEvent(holdStart.get());
  letGo.join();
  std::printf("the wait ended %lu ms after the quit, with %.0f ms of processor\n", elapsed, processor);
  EXPECT_LT(elapsed, 1000u);
  EXPECT_LT(processor, 500.0);
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the main loop would not end";
  EXPECT_TRUE(ReachesState(3));
}

TEST_F(TSrvCtrlWineTest, StartTypeAndDisplayNameAreWrittenAndADisabledServiceRefusesToStart) {
  Open();
  ctrl.SetStartType(kStartDisabled);
  EXPECT_EQ(ctrl.StartType(), kStartDisabled);
  EXPECT_EQ(ctrl.QueryConfig().displayName, kDisplayName);
  try {
    ctrl.Start();
    ADD_FAILURE() << "a disabled service started";
  } catch (const ESrvCtrlException& error) {
    EXPECT_EQ(error.ErrorCode(), 1058u);
  }
  ctrl.SetStartType(kStartOnDemand);
  ctrl.SetDisplayName("Renamed " + std::string(300, 'x'));
  EXPECT_EQ(ctrl.QueryConfig().displayName, "Renamed " + std::string(248, 'x'));
}

TEST_F(TSrvCtrlWineTest, AMissingServiceRaisesTheSystemsTextWithoutItsLineEnd) {
  ctrl.SetActive(true);
  try {
    ctrl.SetKeyName("VandrelNoSuchService");
    ADD_FAILURE() << "no exception";
  } catch (const ESrvCtrlException& error) {
    EXPECT_EQ(error.ErrorCode(), 1060u);
    const std::string text = error.what();
    const std::string systemText = scm.ErrorText(1060);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(systemText.rfind(text, 0), 0u) << systemText;
    EXPECT_EQ(std::string(" .\r\n").find(text.back()), std::string::npos) << text;
  }
  EXPECT_TRUE(ctrl.KeyName().empty());
}

TEST_F(TSrvCtrlWineTest, TheServiceListHasTheServiceAndItsDependenciesAreWritten) {
  Open();
  Strings names;
  ctrl.EnumServices(names, 1, 0, false, 0);
  EXPECT_TRUE(Contains(names, kName));
  Strings pairs;
  ctrl.EnumServices(pairs, 0, 2, true, 2);
  EXPECT_TRUE(Contains(pairs, std::string(kName) + "=" + kDisplayName));
  ctrl.EnumServices(names, 1, 0, false, 1);
  EXPECT_FALSE(Contains(names, kName));  // it is not running

  // The manager keeps services and groups apart, groups without their "+".
  ctrl.SetDependencies({"RpcSs", "+VandrelGroup"});
  EXPECT_EQ(ServiceValue("DependOnService"), std::string("RpcSs\0\0", 7));
  EXPECT_EQ(ServiceValue("DependOnGroup"), std::string("VandrelGroup\0\0", 14));
  ctrl.SetDependencies({});
  EXPECT_EQ(ServiceValue("DependOnService").find("RpcSs"), std::string::npos);
}

}  // namespace
}  // namespace vandrel
