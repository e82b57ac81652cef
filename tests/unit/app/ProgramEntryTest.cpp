#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "app/ProgramEntry.h"
#include "fakes/MemoryPlatform.h"

namespace vandrel {
namespace {

struct RecordingHost : EntryHost {
  void RequestQuit() override { calls.push_back("quit"); }
  void RunApplication(bool minimize) override {
    calls.push_back(minimize ? "run minimized" : "run");
    if (atWork) atWork();
  }
  int EraseWithoutWindow(const std::vector<std::string>& ignored) override {
    calls.push_back("erase" + std::to_string(ignored.size()));
    if (atWork) atWork();
    if (eraseFails) throw std::bad_alloc();
    return 0;
  }
  bool ClaimSingleInstance() override { return !claimedElsewhere; }
  void ShowStartGaveUp(const std::string& why) override { calls.push_back("box: " + why); }
  void Pause(int milliseconds) override {
    paused += milliseconds;
    if (onPause) onPause();
  }
  std::vector<std::string> calls;
  bool claimedElsewhere = false;
  bool eraseFails = false;
  int paused = 0;
  std::function<void()> onPause;
  std::function<void()> atWork;  // as the run or the erase starts
};

struct RecordingButtons : ToolbarButtons {
  void Unregister(const std::string& text) override { calls.push_back("unregister " + text); }
  void Register(const std::string& exe) override { calls.push_back("register " + exe); }
  std::vector<std::string> calls;
};

class ProgramEntryTest : public ::testing::Test {
 protected:
  EntryOutcome Start(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), system.executablePath);
    return ProgramEntry(arguments, platform, &buttons, host);
  }
  std::optional<RegistryValue> RunValue() {
    return registry.ReadValue(RootKey::CurrentUser, kRunKeyPath, kRunValueName);
  }
  // A running Vandrel holds the claim and has its main window.
  WindowHandle RunningInstance() {
    host.claimedElsewhere = true;
    const WindowHandle window = desktop.Open("Vandrel", "TZAVOClass", 0, false);
    desktop.MadeBy(window, "VANDREL.EXE");
    return window;
  }
  std::vector<std::uint32_t> MessagesTo(WindowHandle window) {
    std::vector<std::uint32_t> messages;
    for (const auto& posted : desktop.Posted()) {
      if (posted.window == window) messages.push_back(posted.message);
    }
    return messages;
  }

  MemoryPlatform memory;
  MemoryRegistry& registry = memory.registry;
  MemoryDesktop& desktop = memory.desktop;
  MemorySystemInfo& system = memory.system;
  Platform& platform = memory.platform;
  RecordingHost host;
  RecordingButtons buttons;
};

TEST_F(ProgramEntryTest, RegisterWritesTheStartupEntryReplacesTheButtonAndQuitsTheRunningInstance) {
  const auto running = RunningInstance();
  EXPECT_EQ(Start({"Register"}), EntryOutcome::Registered);
  ASSERT_TRUE(RunValue());
  EXPECT_EQ(RunValue()->text, "\"C:\\Program Files\\Vandrel\\Vandrel.exe\" Minimize");
  EXPECT_EQ(buttons.calls,
            (std::vector<std::string>{"unregister P&&ZAVO", "register C:\\Program Files\\Vandrel\\Vandrel.exe"}));
  EXPECT_EQ(MessagesTo(running), std::vector<std::uint32_t>{kWmQuit});
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(ProgramEntryTest, UnregisterDeletesTheStartupEntryEvenWithNothingRegistered) {
  EXPECT_EQ(Start({"Unregister"}), EntryOutcome::Unregistered);
  EXPECT_FALSE(RunValue());
  Start({"Register"});
  const auto running = RunningInstance();
  Start({"Unregister"});
  EXPECT_FALSE(RunValue());
  EXPECT_EQ(MessagesTo(running), std::vector<std::uint32_t>{kWmQuit});
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(ProgramEntryTest, ARefusedStartupEntryIsReportedAndNothingIsPosted) {
  registry.DenyWrites(RootKey::CurrentUser, kRunKeyPath);
  const auto running = RunningInstance();
  EXPECT_THROW(Start({"Register"}), std::runtime_error);
  EXPECT_TRUE(MessagesTo(running).empty());
}

TEST_F(ProgramEntryTest, ASecondStartShowsTheRunningInstanceWhateverItsArgument) {
  const auto running = RunningInstance();
  for (const auto& argument : {"", "Minimize", "whatever"}) {
    desktop.Posted().clear();
    host.calls.clear();
    std::vector<std::string> arguments;
    if (*argument) arguments.push_back(argument);
    EXPECT_EQ(Start(arguments), EntryOutcome::ActivatedRunningInstance);
    EXPECT_EQ(MessagesTo(running), std::vector<std::uint32_t>{kWmUser});
    EXPECT_EQ(desktop.Foreground(), running);
  }
  EXPECT_EQ(host.calls, std::vector<std::string>{"quit"});  // the last, unknown argument
  // Erase runs beside the running instance, which it neither shows nor quits.
  desktop.Posted().clear();
  EXPECT_EQ(Start({"Erase", "extra"}), EntryOutcome::Erased);
  EXPECT_TRUE(MessagesTo(running).empty());
  EXPECT_EQ(host.calls, (std::vector<std::string>{"quit", "erase1"}));
  // A failure the erase did not report: no box for a script's hidden run.
  host.eraseFails = true;
  EXPECT_EQ(Start({"Erase"}), EntryOutcome::EraseStopped);
}

TEST_F(ProgramEntryTest, AStartThatLosesTheRaceWaitsForTheWinnersWindowAndShowsIt) {
  host.claimedElsewhere = true;
  WindowHandle winner = 0;
  host.onPause = [&] {
    if (host.paused >= 500 && !winner) winner = RunningInstance();
  };
  EXPECT_EQ(Start({}), EntryOutcome::ActivatedRunningInstance);
  EXPECT_EQ(MessagesTo(winner), std::vector<std::uint32_t>{kWmUser});
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(ProgramEntryTest, AStartThatLosesTheRaceRunsWhenTheWinnerEndsWithoutAWindow) {
  host.claimedElsewhere = true;
  host.onPause = [&] { host.claimedElsewhere = host.paused < 2000; };
  EXPECT_EQ(Start({}), EntryOutcome::Ran);
  EXPECT_LT(host.paused, 2100);
  EXPECT_EQ(host.calls, std::vector<std::string>{"run"});
}

// The claim is held, by a start still making its windows or by a program
// that took the mutex, and no Vandrel window comes: the start says why, at
// log-on through the next start.
TEST_F(ProgramEntryTest, AStartThatLosesTheRaceGivesUpWhenNoWindowComesAndSaysWhy) {
  host.claimedElsewhere = true;
  EXPECT_EQ(Start({}), EntryOutcome::LostStartRace);
  EXPECT_GE(host.paused, kStartRaceWaitMs);
  EXPECT_EQ(host.calls, std::vector<std::string>{std::string("box: ") + kStartGaveUp});

  host.calls.clear();
  EXPECT_EQ(Start({"Minimize"}), EntryOutcome::LostStartRace);
  EXPECT_TRUE(host.calls.empty()) << "no box at log-on";
  host.claimedElsewhere = false;
  EXPECT_EQ(Start({"Minimize"}), EntryOutcome::Ran);
  Start({});
  Start({});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"run minimized",
                                                  std::string("box: ") + kStartGaveUpAtLogOn + kStartGaveUp, "run",
                                                  "run"}));
}

// Any program can make a hidden window of the main window's class and title:
// it is neither shown, nor told to quit, nor keeps Vandrel from starting.
TEST_F(ProgramEntryTest, OnlyAVandrelsWindowIsTakenForTheRunningInstance) {
  desktop.Open("Vandrel - Options", "TZAVOClass");
  const WindowHandle untold = desktop.Open("Vandrel", "TZAVOClass", 0, false);
  const WindowHandle foreign = desktop.Open("Vandrel", "TZAVOClass", 0, false);
  desktop.MadeBy(foreign, "Vandrel.exe.squatter.exe");
  EXPECT_EQ(Start({}), EntryOutcome::Ran);
  Start({"Register"});
  Start({"Unregister"});
  host.claimedElsewhere = true;
  EXPECT_EQ(Start({}), EntryOutcome::LostStartRace);
  EXPECT_TRUE(MessagesTo(untold).empty());
  EXPECT_TRUE(MessagesTo(foreign).empty());
  // The real one behind them is found.
  const WindowHandle running = RunningInstance();
  desktop.Open("Vandrel", "TZAVOClass", 0, false);
  EXPECT_EQ(Start({}), EntryOutcome::ActivatedRunningInstance);
  EXPECT_EQ(MessagesTo(running), std::vector<std::uint32_t>{kWmUser});
}

TEST_F(ProgramEntryTest, AnUnknownArgumentAsksToQuitThenStartsAsUsual) {
  EXPECT_EQ(Start({"minimize"}), EntryOutcome::Ran);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"quit", "run"}));
}

// A step folder on a drive without its medium raises no system box in any
// start: the erase would wait for it with its lock held.
TEST_F(ProgramEntryTest, EveryStartFailsCriticalErrorsQuietlyBeforeItWorks) {
  int quietAtWork = 0;
  host.atWork = [&] { quietAtWork += system.criticalErrorsQuiet ? 1 : 0; };
  for (const auto& arguments : std::vector<std::vector<std::string>>{{"Erase"}, {"Minimize"}, {}, {"Register"}}) {
    system.criticalErrorsQuiet = false;
    Start(arguments);
    EXPECT_TRUE(system.criticalErrorsQuiet) << (arguments.empty() ? "" : arguments[0]);
  }
  EXPECT_EQ(quietAtWork, 3);
}

TEST_F(ProgramEntryTest, MinimizeAndNoArgumentStartNormally) {
  Start({"Minimize", "extra"});
  Start({});
  EXPECT_EQ(host.calls, (std::vector<std::string>{"run minimized", "run"}));
}

}  // namespace
}  // namespace vandrel
