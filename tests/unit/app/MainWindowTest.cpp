#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <utility>

#include "app/LogOnErase.h"
#include "app/Program.h"
#include "blocklist/TitlesFile.h"
#include "fakes/MemoryPlatform.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

constexpr auto kCu = RootKey::CurrentUser;

struct ErrorsOnlyPrompts : Prompts {
  Answer Message(MessageKind kind, const std::string& text, MessageButtons) override {
    EXPECT_EQ(kind, MessageKind::Error) << text;
    errors.push_back(text);
    if (whileUp) std::exchange(whileUp, nullptr)();
    return Answer::Ok;
  }
  SilenceableAnswer SilenceableMessage(MessageKind, const std::string& text, MessageButtons) override {
    ADD_FAILURE() << "unexpected question: " << text;
    return {Answer::No, false};
  }
  std::vector<std::string> errors;
  std::function<void()> whileUp;  // runs inside the next box, as its message loop would
};

class MainWindowTest : public ::testing::Test {
 protected:
  void Put(const std::string& name, const std::string& text) {
    registry.WriteString(kCu, kSettingsKeyPath, name, text);
  }
  // Creates the program's windows as the normal run does.
  Program& Start(bool minimizeArgument = false, int workAreaWidth = INT_MAX) {
    CreateAllButTheLast(minimizeArgument, workAreaWidth);
    program->WindowsCreated();
    return *program;
  }
  void CreateAllButTheLast(bool minimizeArgument = false, int workAreaWidth = INT_MAX) {
    program = std::make_unique<Program>(platform, prompts);
    program->mainWindow.FormCreate(806, minimizeArgument, workAreaWidth);
    program->richMedia.FormCreate();
    program->OptionsCreated();
    program->BlockListCreated();
  }
  TZAVOClass& Main() { return program->mainWindow; }
  WindowHandle Frame(const std::string& page) {
    return desktop.Open(page + " - Microsoft Internet Explorer", "IEFrame", kWsMaximizeBox);
  }

  MemoryPlatform memory;
  MemoryRegistry& registry = memory.registry;
  MemoryDesktop& desktop = memory.desktop;
  MemorySound& sound = memory.sound;
  MemorySystemInfo& system = memory.system;
  Platform& platform = memory.platform;
  ErrorsOnlyPrompts prompts;
  std::unique_ptr<Program> program;
};

TEST_F(MainWindowTest, CreationShowsTheCaptionZeroClosedAndStartsBlockingByDefault) {
  Start();
  EXPECT_EQ(Main().Form.Caption(), "Vandrel");
  EXPECT_EQ(Main().TrayHint(), "Vandrel");
  EXPECT_EQ(Main().StatusBar1.Panels()[1].text, "0 windows closed.");
  EXPECT_TRUE(Main().BlockingOn());
  EXPECT_EQ(Main().Timer1.Interval(), 100);
  EXPECT_TRUE(Main().Form.Visible());
  EXPECT_TRUE(prompts.errors.empty());
}

// The log-on start erases before blocking begins; a quit or the end of the
// session met during that erase ends the start: no balloon, no blocking.
TEST_F(MainWindowTest, TheLogOnStartErasesFirstAndAQuitMeanwhileEndsItThere) {
  Put(kLogOnEraseSetting, "1");
  for (const bool quitMeanwhile : {false, true}) {
    CreateAllButTheLast(true);
    int balloons = 0;
    program->notice.show = [&balloons](const Balloon&) { ++balloons; };
    program->LogOnWindowsCreated([&] {
      EXPECT_FALSE(Main().BlockingOn());
      memory.waitLoop.quitPosted = quitMeanwhile;
      memory.waitLoop.DispatchPendingMessages();
      return UnattendedOutcome{};
    });
    EXPECT_EQ(Main().BlockingOn(), !quitMeanwhile);
    EXPECT_EQ(balloons, quitMeanwhile ? 0 : 1);
  }
}

TEST_F(MainWindowTest, XpAndLaterGetTheNarrowWidthAWorkAreaNarrowerStillAndTheStatusPanelFollows) {
  Start();
  EXPECT_EQ(Main().Form.OuterWidth(), 750);
  EXPECT_EQ(Main().StatusBar1.Panels()[0].width, 605);
  system.version = VersionRecord{5, 0, 2195, 2, "Service Pack 4"};
  Start();
  EXPECT_EQ(Main().Form.OuterWidth(), std::nullopt);
  EXPECT_EQ(Main().StatusBar1.Panels()[0].width, 806 - 145);
  Start(false, 682);  // a small screen's work area: the closed-windows panel keeps its width
  EXPECT_EQ(Main().Form.OuterWidth(), 682);
  EXPECT_EQ(Main().StatusBar1.Panels()[0].width, 682 - 145);
}

TEST_F(MainWindowTest, TheBrowsersWindowTitleSetsTheSuffix) {
  registry.WriteString(kCu, "Software\\Microsoft\\Internet Explorer\\Main", "Window Title", "Explorer");
  Start();
  EXPECT_EQ(program->state.titleSuffix, "- Explorer");
  registry.WriteDword(kCu, "Software\\Microsoft\\Internet Explorer\\Main", "Window Title", 1);
  Start();
  EXPECT_EQ(program->state.titleSuffix, "- Microsoft Internet Explorer");
}

TEST_F(MainWindowTest, AutoStartOffLeavesBlockingOff) {
  Put("AutoStart", "0");
  Start();
  EXPECT_FALSE(Main().BlockingOn());
}

TEST_F(MainWindowTest, TheStoredIntervalSetsTheScanTimerUntilTheOptionsDialogPicksItsChoice) {
  for (const auto& [stored, mainWindowSets] : {std::pair{"300", 300}, {"0", 100}, {"-5", 100}}) {
    Put("TimerInterval", stored);
    program = std::make_unique<Program>(platform, prompts);
    Main().FormCreate(806, false);
    EXPECT_EQ(Main().Timer1.Interval(), mainWindowSets) << stored;
    // No choice stands for it: "0.&5" is selected and the scan follows it.
    program->OptionsCreated();
    EXPECT_EQ(Main().Timer1.Interval(), 500) << stored;
    EXPECT_EQ(program->optionsDialog.RadioGroup1.ItemIndex(), 1) << stored;
    EXPECT_EQ(program->state.settings.TimerInterval, std::stoi(stored)) << "the record keeps it until a store";
  }
}

TEST_F(MainWindowTest, AWrongTypedSettingIsReportedAndTheWindowIsStillMadeWhole) {
  Put("LimitEnabled", "1");
  registry.WriteDword(kCu, kSettingsKeyPath, "LimitWindows", 3);
  Start();
  // Read twice at start-up (the main window, then the options dialog), reported each time.
  EXPECT_EQ(prompts.errors, std::vector<std::string>(2, "Invalid data type for 'LimitWindows'"));
  EXPECT_TRUE(program->state.settings.LimitEnabled);
  EXPECT_EQ(program->state.settings.LimitWindows, 5);
  EXPECT_EQ(Main().StatusBar1.Panels()[1].text, "0 windows closed.");
  EXPECT_TRUE(Main().BlockingOn());
}

TEST_F(MainWindowTest, TheHideTimerFiringInsideAStartUpBoxStillHidesTheWindow) {
  registry.WriteDword(kCu, kSettingsKeyPath, "LimitWindows", 3);
  program = std::make_unique<Program>(platform, prompts);
  prompts.whileUp = [this] { Main().Timer2.Fire(); };
  Main().FormCreate(806, true);
  ASSERT_EQ(prompts.errors.size(), 1u);
  EXPECT_TRUE(Main().Timer2.Enabled());
  Main().Timer2.Fire();
  EXPECT_FALSE(Main().Form.Visible());
}

TEST_F(MainWindowTest, TheHideTimerHidesOnceForMinimizeOrStartMinimized) {
  Start(true);
  Main().Timer2.Fire();
  EXPECT_FALSE(Main().Form.Visible());
  EXPECT_FALSE(Main().Timer2.Enabled());

  Start(false);
  Main().Timer2.Fire();
  EXPECT_TRUE(Main().Form.Visible());

  Put("StartMinimized", "1");
  Start(false);
  Main().Timer2.Fire();
  EXPECT_FALSE(Main().Form.Visible());
  int activations = 0;
  Main().Form.activate = [&] { ++activations; };
  Main().ShowOnRequest();
  EXPECT_TRUE(Main().Form.Visible());
  EXPECT_EQ(activations, 1);

  // No icon could be put in the notification area: the window is the only way back.
  Start(true);
  Main().ensureTrayIcon = [] { return false; };
  Main().Timer2.Fire();
  EXPECT_TRUE(Main().Form.Visible());
  EXPECT_FALSE(Main().Timer2.Enabled());
}

TEST_F(MainWindowTest, CountedClosesShowInTheStatusBarAndPlayTheSoundFile) {
  Put("LimitEnabled", "1");
  Put("LimitWindows", "1");
  Put("SoundFile", "C:\\ding.wav");
  Start();
  Frame("A");
  Frame("B");
  Frame("C");
  Main().Timer1.Fire();
  EXPECT_EQ(Main().ClosedCount(), 2u);
  EXPECT_EQ(Main().StatusBar1.Panels()[1].text, "2 windows closed.");
  EXPECT_EQ(sound.played, (std::vector<std::string>{"C:\\ding.wav", "C:\\ding.wav"}));
  EXPECT_TRUE(Main().Timer1.Enabled());
}

TEST_F(MainWindowTest, AWindowEventWakesTheScansOwnTickWithEveryPassAndBlockingOffStopsListening) {
  Put("LimitEnabled", "1");
  Put("LimitWindows", "1");
  Put("TimerInterval", "2000");
  const auto listed = Frame("Cheap ads");
  Start();
  Main().Timer1.Fire();  // knows the frame
  program->state.blockList.Assign({"ads"});
  const auto popup = desktop.Open("Script dialog", "Internet Explorer_TridentDlgFrame");
  const auto beyond = Frame("Beyond");

  memory.windowEvents.Raise();
  ASSERT_TRUE(Main().EventTimer.Enabled());
  Main().EventTimer.Fire();
  EXPECT_EQ(desktop.ClosesPostedTo(popup), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(beyond), 1);
  EXPECT_EQ(desktop.ClosesPostedTo(listed), 1);
  EXPECT_EQ(Main().StatusBar1.Panels()[1].text, "2 windows closed.");

  Main().Start1Click();
  EXPECT_FALSE(memory.windowEvents.Listening());
  EXPECT_FALSE(Main().EventTimer.Enabled());
}

TEST_F(MainWindowTest, WithTheSoundOffClosesAreSilent) {
  Put("LimitEnabled", "1");
  Put("LimitWindows", "1");
  Put("SoundEnabled", "0");
  Start();
  Frame("A");
  Frame("B");
  Main().Timer1.Fire();
  EXPECT_EQ(Main().ClosedCount(), 1u);
  EXPECT_TRUE(sound.played.empty());
}

TEST_F(MainWindowTest, RaisingTheLimitStoresEverySetting) {
  Put("LimitEnabled", "1");
  Put("LimitClose", "1");
  Start();
  for (int i = 0; i < 8; ++i) Frame("P" + std::to_string(i));
  Main().Timer1.Fire();
  EXPECT_EQ(registry.ReadValue(kCu, kSettingsKeyPath, "LimitWindows")->text, "8");
  EXPECT_EQ(registry.ValueCount(kCu, kSettingsKeyPath), 28u);
  EXPECT_EQ(Main().ClosedCount(), 0u);
}

TEST_F(MainWindowTest, ARefusedStoreAtTheRaiseIsReportedButBlockingGoesOn) {
  Put("LimitEnabled", "1");
  Put("LimitClose", "1");
  Start();
  registry.DenyWrites(kCu, kSettingsKeyPath);
  for (int i = 0; i < 8; ++i) Frame("P" + std::to_string(i));
  EXPECT_THROW(Main().Timer1.Fire(), std::runtime_error);
  EXPECT_TRUE(Main().Timer1.Enabled());
  EXPECT_EQ(program->state.settings.LimitWindows, 8);
  // The raise is not retried: the next tick writes nothing and so fails not.
  EXPECT_NO_THROW(Main().Timer1.Fire());
  EXPECT_EQ(Main().ClosedCount(), 0u);
}

TEST_F(MainWindowTest, ABlockClickHandledInsideATickSwitchesBlockingOffForGood) {
  Put("LimitEnabled", "1");
  Put("LimitWindows", "2");
  Start();
  Frame("A");
  // The icon's update is sent to the shell, and messages sent to the window
  // meanwhile are handled: here the user's Block click.
  bool clicked = false;
  Main().trayRedraw = [&] {
    if (std::exchange(clicked, true)) return;
    Main().Timer1.Fire();  // a timer event inside the tick waits for the next one
    Main().Start1Click();
  };
  Main().Timer1.Fire();
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(Main().BlockingOn());
}

TEST_F(MainWindowTest, SwitchingBlockingOffForgetsTheFramesAndEmptiesTheIcon) {
  Put("LimitEnabled", "1");
  Put("LimitWindows", "2");
  Start();
  Frame("A");
  Frame("B");
  Main().Timer1.Fire();
  EXPECT_EQ(Main().TrayIconIndex(), 4);
  Main().Start1Click();
  EXPECT_FALSE(Main().BlockingOn());
  EXPECT_EQ(Main().TrayIconIndex(), 0);
  EXPECT_TRUE(Main().Scan().OldTitles().empty());
}

TEST_F(MainWindowTest, TheBlockListComesFromItsFileAndGoesBackSortedAtTheEnd) {
  const std::string path = "C:\\Program Files\\Vandrel\\titles.dat";
  memory.files.files[path] = EncodeTitles({"zeta", "news", "Alpha"});
  Start();
  EXPECT_EQ(program->state.blockList.Entries(), (std::vector<std::string>{"Alpha", "news", "zeta"}));
  const auto frame = Frame("Daily NEWS");
  Main().Timer1.Fire();
  EXPECT_EQ(desktop.ClosesPostedTo(frame), 1);
  EXPECT_EQ(Main().ClosedCount(), 1u);
  program->MessageLoopEnded();
  EXPECT_EQ(memory.files.files[path], EncodeTitles({"Alpha", "news", "zeta"}));
}

TEST_F(MainWindowTest, WithoutAFileTheEndWritesAnEmptyOne) {
  Start();
  program->MessageLoopEnded();
  EXPECT_EQ(memory.files.files["C:\\Program Files\\Vandrel\\titles.dat"], "");
}

}  // namespace
}  // namespace vandrel
