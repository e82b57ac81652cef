// The real Vandrel.exe under Wine: start-up, command line, single instance.
#include <gtest/gtest.h>

#include <algorithm>

#include "PopupHelper.h"
#include "help/TTipForm.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::optional<std::string> RunValue() {
  const auto raw = ReadRaw(HKEY_CURRENT_USER, kRunKey, "Vandrel", View::Default);
  if (!raw) return std::nullopt;
  std::string text = raw->bytes;
  while (!text.empty() && text.back() == '\0') text.pop_back();
  return text;
}

bool Hidden(HWND window) {
  return WaitUntil([&] { return !IsWindowVisible(window); }, 5000);
}

class StartupTest : public VandrelTest {};

TEST_F(StartupTest, StartsWithItsMainWindowAndZeroWindowsClosed) {
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(vandrel.WaitForStatus(1, "0 windows closed."));
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(GetWindowLongA(main, GWL_STYLE) & WS_MAXIMIZEBOX, 0);
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.bottom - client.top, 73);
  // Nothing was stored: the settings stay absent until they are saved.
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Korvane", View::Default));
  for (const char* name : {"LimitWindows", "AutoStart", "TimerInterval", "SoundFile"}) {
    EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, name, View::Default)) << name;
  }
  EXPECT_TRUE(vandrel.Quit());
  EXPECT_EQ(vandrel.process().ExitCode(), 0u);
}

TEST_F(StartupTest, ASecondStartShowsTheHiddenFirstInstanceAndEnds) {
  VandrelProcess first({"Minimize"});
  const HWND main = first.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(Hidden(main)) << "\"Minimize\" did not hide the window";

  for (const char* argument : {"", "Minimize", "bogus"}) {
    ShowWindow(main, SW_HIDE);
    ASSERT_TRUE(Hidden(main));
    std::vector<std::string> arguments;
    if (*argument) arguments.push_back(argument);
    VandrelProcess second(arguments);
    ASSERT_TRUE(second.process().Wait(10000)) << "second start with '" << argument << "' kept running";
    EXPECT_EQ(second.process().ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000)) << argument;
    EXPECT_EQ(VandrelMainWindows().size(), 1u);
  }
  EXPECT_FALSE(first.process().Wait(0));
}

TEST_F(StartupTest, ASecondStartRestoresTheMinimisedFirstInstanceAndEnds) {
  VandrelProcess first;
  const HWND main = first.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 5000));
  VandrelProcess second;
  ASSERT_TRUE(second.process().Wait(10000)) << "the second start kept running";
  EXPECT_EQ(second.process().ExitCode(), 0u);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && !IsIconic(main); }, 5000))
      << "the first instance's window stayed minimised";
  EXPECT_FALSE(first.process().Wait(0));
}

TEST_F(StartupTest, TwoStartsAtTheSameMomentLeaveOneInstance) {
  for (int round = 0; round < 3; ++round) {
    {
      VandrelProcess first;
      VandrelProcess second;
      const bool oneEnded = WaitUntil([&] { return first.process().Wait(0) || second.process().Wait(0); }, 15000);
      ASSERT_TRUE(oneEnded) << "round " << round;
      VandrelProcess& survivor = first.process().Wait(0) ? second : first;
      ASSERT_NE(survivor.WaitForMainWindow(), nullptr) << "round " << round;
      EXPECT_TRUE(survivor.Answers()) << "round " << round;
      EXPECT_FALSE(survivor.process().Wait(0)) << "round " << round;
      EXPECT_EQ(VandrelMainWindows().size(), 1u) << "round " << round;
    }
    ResetVandrelState();
  }
}

// A holder of the claim with no main window yet (its tip of the first start
// is up) that dies: of the two starts waiting for it, exactly one runs and
// the other shows it.
TEST_F(StartupTest, TwoStartsWaitingForAHolderThatDiesLeaveExactlyOneInstance) {
  DeleteValue(HKEY_CURRENT_USER, kSettingsKey, "TOD");
  VandrelProcess holder;
  ASSERT_NE(holder.WaitForDialog(kTipCaption), nullptr);
  WriteString(HKEY_CURRENT_USER, kSettingsKey, "TOD", "1");  // as the tip writes it once answered
  VandrelProcess first;
  VandrelProcess second;
  Sleep(1000);
  ASSERT_FALSE(first.process().Wait(0));
  ASSERT_FALSE(second.process().Wait(0));
  holder.process().Kill();
  ASSERT_TRUE(WaitUntil([&] { return first.process().Wait(0) || second.process().Wait(0); }, 15000))
      << "neither waiting start ran";
  VandrelProcess& survivor = first.process().Wait(0) ? second : first;
  VandrelProcess& shower = first.process().Wait(0) ? first : second;
  EXPECT_EQ(shower.process().ExitCode(), 0u);
  ASSERT_NE(survivor.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(survivor.Answers());
  EXPECT_EQ(VandrelMainWindows().size(), 1u);
}

TEST_F(StartupTest, StartMinimizedHidesTheWindowWithoutAnArgument) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "StartMinimized", "1"));
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(Hidden(main));
  EXPECT_FALSE(vandrel.process().Wait(0));
}

TEST_F(StartupTest, AnUnknownArgumentStartsAndEndsAtOnce) {
  VandrelProcess vandrel({"minimize"});
  ASSERT_TRUE(vandrel.process().Wait(10000));
  EXPECT_EQ(vandrel.process().ExitCode(), 0u);
  EXPECT_TRUE(VandrelMainWindows().empty());
}

// Any program can make a hidden window of the main window's class and title:
// Vandrel starts beside it, shows itself to a second start, and neither it
// nor a registration run tells that program's window anything.
TEST_F(StartupTest, AnotherProgramsWindowOfTheMainWindowsNameKeepsNoStartBack) {
  const PopupHelper before({{.className = "TZAVOClass", .title = "Vandrel", .visible = false}});
  VandrelProcess running({"Minimize"});
  const HWND main = running.WaitForMainWindow();
  ASSERT_NE(main, nullptr) << "the start ended at the other program's window";
  ASSERT_TRUE(Hidden(main));
  const PopupHelper after({{.className = "TZAVOClass", .title = "Vandrel", .visible = false}});
  VandrelProcess second;
  ASSERT_TRUE(second.process().Wait(10000));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
  EXPECT_FALSE(IsWindowVisible(after.Window(0)));
  VandrelProcess registering({"Register"});
  ASSERT_TRUE(registering.process().Wait(10000));
  EXPECT_TRUE(running.process().Wait(10000)) << "the running instance did not quit";
  EXPECT_FALSE(before.process().Wait(500)) << "told to quit";
  EXPECT_FALSE(after.process().Wait(0)) << "told to quit";
}

TEST_F(StartupTest, RegisterWritesTheStartupEntryAndQuitsTheRunningInstance) {
  VandrelProcess running;
  ASSERT_NE(running.WaitForMainWindow(), nullptr);
  VandrelProcess registering({"Register"});
  ASSERT_TRUE(registering.process().Wait(10000));
  EXPECT_EQ(registering.process().ExitCode(), 0u);
  EXPECT_TRUE(running.process().Wait(10000)) << "the running instance did not quit";
  EXPECT_EQ(running.process().ExitCode(), 0u);

  const auto value = RunValue();
  ASSERT_TRUE(value);
  std::string expected = "\"";
  expected += VandrelPath();
  expected += "\" Minimize";
  auto lower = [](std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
  };
  EXPECT_EQ(lower(*value), lower(expected));
}

TEST_F(StartupTest, UnregisterDeletesTheStartupEntryAndQuitsTheRunningInstance) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kRunKey, "Vandrel", "\"x.exe\" Minimize"));
  VandrelProcess running;
  ASSERT_NE(running.WaitForMainWindow(), nullptr);
  VandrelProcess unregistering({"Unregister"});
  ASSERT_TRUE(unregistering.process().Wait(10000));
  EXPECT_TRUE(running.process().Wait(10000));
  EXPECT_FALSE(RunValue());
  // With nothing registered it still ends quietly.
  VandrelProcess again({"Unregister"});
  ASSERT_TRUE(again.process().Wait(10000));
  EXPECT_EQ(again.process().ExitCode(), 0u);
}

TEST_F(StartupTest, AWrongTypedSettingIsReportedThenTheProgramRuns) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "LimitEnabled", "1"));
  ASSERT_TRUE(WriteDword(HKEY_CURRENT_USER, kSettingsKey, "LimitWindows", 2));
  VandrelProcess vandrel;
  const HWND box = vandrel.WaitForMessageBox();
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(VandrelProcess::MessageBoxText(box), "Invalid data type for 'LimitWindows'");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(vandrel.WaitForStatus(1, "0 windows closed."));
}

}  // namespace
}  // namespace vandrel::test
