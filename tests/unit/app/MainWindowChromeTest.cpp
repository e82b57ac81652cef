// The main window's toolbar, menu bar, hints, and what close, Esc and Exit do.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/Program.h"
#include "fakes/MemoryPlatform.h"
#include "settings/SettingsKey.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

constexpr auto kCu = RootKey::CurrentUser;

class MainWindowChromeTest : public ::testing::Test {
 protected:
  MainWindowChromeTest() {
    main.FormCreate(806, false);
    main.fadeOut = [this](const std::vector<int>& opacities) { fades.push_back(opacities); };
    main.endApplication = [this] { ++ends; };
    // Every window-opening hook records its name when run.
    for (auto& [hook, name] : std::map<std::function<void()>*, std::string>{{&main.onBlockList, "blocklist"},
                                                                            {&main.onAllowedList, "allowed"},
                                                                            {&main.onErase, "erase"},
                                                                            {&main.onErasePreview, "preview"},
                                                                            {&main.onEraseReport, "report"},
                                                                            {&main.onOptions, "options"},
                                                                            {&main.onGoToUrl, "go"},
                                                                            {&main.onRichMedia, "richmedia"},
                                                                            {&main.onDemo, "demo"},
                                                                            {&main.onHelp, "help"},
                                                                            {&main.onAbout, "about"}}) {
      *hook = [this, name = name] { opened.push_back(name); };
    }
  }

  std::optional<std::string> StoredExitConfirm() {
    const auto value = memory.registry.ReadValue(kCu, kSettingsKeyPath, "ExitConfirm");
    return value ? std::optional<std::string>(value->text) : std::nullopt;
  }
  // What one click of the button did: the hook it ran, "exit" for the exit
  // question, "blocking" or "block100" for the toggles.
  std::string Effect(Button& button) {
    opened.clear();
    const std::size_t asked = prompts.Messages().size();
    const bool blocking = main.BlockingOn();
    const bool block100 = main.Blocking.Block100Active();
    if (&button == &main.ToolBar1.ExitP || &button == &main.MainMenu1.Exit2) prompts.Script(Answer::No);
    button.Click();
    if (main.BlockingOn() != blocking) return "blocking";
    if (main.Blocking.Block100Active() != block100) return "block100";
    if (prompts.Messages().size() > asked && prompts.Messages().back().text == kExitQuestion) return "exit";
    return opened.size() == 1 ? opened.front() : "?";
  }

  MemoryPlatform memory;
  ScriptedPrompts prompts;
  Program program{memory.platform, prompts};
  TZAVOClass& main = program.mainWindow;
  std::vector<std::vector<int>> fades;
  int ends = 0;
  std::vector<std::string> opened;
};

TEST_F(MainWindowChromeTest, TheToolbarHoldsItsEightButtonsInOrderWithCaptionsHintsImagesAndCommands) {
  struct Row {
    const char* name;
    const char* caption;
    const char* hint;
    int image;
    const char* effect;
  };
  const std::vector<Row> expected{
      {"Start", "B&lock", "Start the Popup manager", 0, "blocking"},
      {"StoProc", " Block &100% ", "Start 100% Popup Stopper", 8, "block100"},
      {"AddToBlackList", "&Block list", "Manage the block list", 1, "blocklist"},
      {"EraseStuff", "&Erase", "Erases stored information", 2, "erase"},
      {"Options", "&Options", "Setup the program", 3, "options"},
      {"Go", "&Go to URL", "Please, enter the url of the website you wish to visit.", 7, "go"},
      {"VABOptions", "Flash &Ads", "Flash Ads Blocker settings", 10, "richmedia"},
      {"ExitP", "E&xit", "Exits the program", 4, "exit"},
  };
  const auto& buttons = main.ToolBar1.Buttons();
  ASSERT_EQ(buttons.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(buttons[i].name, std::string(expected[i].name));
    EXPECT_EQ(buttons[i].button->Caption(), expected[i].caption);
    EXPECT_EQ(buttons[i].button->Hint(), expected[i].hint);
    EXPECT_EQ(buttons[i].button->ImageIndex(), expected[i].image);
  }
  // Clicked after the captions are read: Block 100% relabels its button.
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(Effect(*buttons[i].button), expected[i].effect) << expected[i].name;
  }
  EXPECT_EQ(main.ToolBar1.Buttons()[0].button, &main.Blocking.Start);
}

TEST_F(MainWindowChromeTest, TheMenuBarHoldsItsMenusItemsShortcutsHintsAndCommands) {
  struct Row {
    const char* menu;
    const char* item;
    const char* caption;
    const char* hint;
    char altKey;
    const char* effect;
  };
  const std::vector<Row> expected{
      {"&File", "Exit2", "E&xit", "Exits the program", 'X', "exit"},
      {"Popup manage&r", "Start2", "B&lock", "Block PopUps", 'L', "blocking"},
      {"Popup manage&r", "Stop1001", "Block &100%", "Block 100% PopUps", '1', "block100"},
      {"Popup manage&r", "BlackList1", "&Block list", "Manage the block list", 'B', "blocklist"},
      {"Popup manage&r", "AllowedList1", "Al&ways allowed", "Windows that are never closed", 0, "allowed"},
      {"&Tools", "Erase2", "&Erase", "Erases stored information", 'E', "erase"},
      {"&Tools", "ErasePreview1", "Erase pre&view", "Shows what Erase would remove, removing nothing", 0, "preview"},
      {"&Tools", "EraseReport1", "Erase re&port", "Shows what the last erase removed and what it left", 0, "report"},
      {"&Tools", "VideoAds1", "Flash &Ads", "Flash Ads Blocker settings", 'A', "richmedia"},
      {"&Tools", "Demo1", "&Demo", "", 'D', "demo"},
      {"&Tools", "N15Search2", "&Go URL", "Opens some URL in your default browser", 'G', "go"},
      {"&Tools", "Options2", "&Options", "Setup the program", 'O', "options"},
      {"&Help", "Help2", "&Help", "Help for the program", 0, "help"},
      {"&Help", "About1", "&About", "About the program", 0, "about"},
  };
  const auto& menus = main.MainMenu1.Menus();
  ASSERT_EQ(menus.size(), 4u);
  const std::vector<std::vector<std::string>> headers{{"Files1", "&File", "File"},
                                                      {"PopUpManager", "Popup manage&r", "Popup management"},
                                                      {"Options1", "&Tools", "Tools"},
                                                      {"Help1", "&Help", "Help"}};
  std::vector<const MainMenu::Item*> items;
  for (std::size_t m = 0; m < menus.size(); ++m) {
    EXPECT_EQ((std::vector<std::string>{menus[m].name, menus[m].caption, menus[m].hint}), headers[m]);
    for (const auto& item : menus[m].items) items.push_back(&item);
  }
  ASSERT_EQ(items.size(), expected.size());
  std::size_t row = 0;
  for (const auto& menu : menus) {
    for (const auto& item : menu.items) {
      const Row& want = expected[row++];
      SCOPED_TRACE(want.item);
      EXPECT_EQ(menu.caption, std::string(want.menu));
      EXPECT_EQ(item.name, std::string(want.item));
      EXPECT_EQ(item.button->Caption(), want.caption);
      EXPECT_EQ(item.button->Hint(), want.hint);
      EXPECT_EQ(item.altKey, want.altKey);
      if (want.altKey) {
        EXPECT_EQ(main.MainMenu1.ByAltKey(want.altKey), &item);
      }
      EXPECT_EQ(main.MainMenu1.ByCommand(item.command), &item);
      EXPECT_EQ(Effect(*item.button), want.effect);
    }
  }
  EXPECT_EQ(main.MainMenu1.ByAltKey(0), nullptr);
  EXPECT_EQ(main.MainMenu1.ByAltKey('Q'), nullptr);
}

TEST_F(MainWindowChromeTest, CommandIdsAreUniqueAcrossToolbarAndMenu) {
  std::set<int> ids;
  for (const auto& entry : main.ToolBar1.Buttons()) EXPECT_TRUE(ids.insert(entry.command).second) << entry.name;
  for (const auto& menu : main.MainMenu1.Menus()) {
    for (const auto& item : menu.items) EXPECT_TRUE(ids.insert(item.command).second) << item.name;
  }
  EXPECT_EQ(ids.size(), 22u);
}

TEST_F(MainWindowChromeTest, UnsetHooksAreSafeNoOps) {
  Program bare{memory.platform, prompts};
  for (const auto& entry : bare.mainWindow.ToolBar1.Buttons()) {
    if (entry.command != kCmdExitP && entry.command != kCmdStoProc) entry.button->Click();
  }
  bare.mainWindow.MainMenu1.Demo1.Click();
  bare.mainWindow.MainMenu1.Help2.Click();
  bare.mainWindow.MainMenu1.About1.Click();
  EXPECT_TRUE(bare.mainWindow.BlockingOn());  // only Start did something
}

TEST_F(MainWindowChromeTest, TheFirstPanelShowsTheHintItIsGiven) {
  main.ShowHint(main.ToolBar1.Go.Hint());
  EXPECT_EQ(main.StatusBar1.Panels()[0].text, "Please, enter the url of the website you wish to visit.");
  main.ShowHint("");
  EXPECT_EQ(main.StatusBar1.Panels()[0].text, "");
  EXPECT_EQ(main.StatusBar1.Panels()[1].text, "0 windows closed.");
}

TEST_F(MainWindowChromeTest, TheCloseBoxHidesToTheTrayWithoutExitOnClose) {
  EXPECT_FALSE(main.FormCloseQuery());
  EXPECT_FALSE(main.Form.Visible());
  EXPECT_EQ(ends, 0);
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(MainWindowChromeTest, TheCloseBoxAddsAMissingTrayIconAndKeepsTheWindowWhenItCannot) {
  int tries = 0;
  bool shellAccepts = false;
  main.ensureTrayIcon = [&] {
    ++tries;
    return shellAccepts;
  };
  EXPECT_FALSE(main.FormCloseQuery());
  EXPECT_TRUE(main.Form.Visible()) << "no icon: hiding would leave the program unreachable";
  shellAccepts = true;
  main.FormCloseQuery();
  EXPECT_FALSE(main.Form.Visible());
  EXPECT_EQ(tries, 2);
}

TEST_F(MainWindowChromeTest, WithExitOnCloseTheCloseBoxAsksAndNoLeavesEverything) {
  program.optionsDialog.EOC.SetChecked(true);  // the control, not the record, decides
  prompts.Script(Answer::No, true);
  EXPECT_FALSE(main.FormCloseQuery());
  ASSERT_EQ(prompts.Messages().size(), 1u);
  const auto& asked = prompts.Messages()[0];
  EXPECT_EQ(asked.text, "Do you really want to exit Vandrel v7.0.5?");
  EXPECT_EQ(asked.kind, MessageKind::Confirmation);
  EXPECT_EQ(asked.buttons, MessageButtons::YesNo);
  EXPECT_TRUE(asked.silenceable);
  EXPECT_TRUE(main.Form.Visible());
  EXPECT_EQ(ends, 0);
  EXPECT_EQ(StoredExitConfirm(), std::nullopt);  // a tick with No writes nothing
}

TEST_F(MainWindowChromeTest, EscClosesLikeTheCloseBoxAndOtherKeysPassOn) {
  EXPECT_FALSE(main.FormKeyDown('A'));
  EXPECT_TRUE(main.Form.Visible());
  EXPECT_TRUE(main.FormKeyDown(27));
  EXPECT_FALSE(main.Form.Visible());

  program.optionsDialog.EOC.SetChecked(true);
  prompts.Script(Answer::Yes);
  EXPECT_TRUE(main.FormKeyDown(27));
  EXPECT_EQ(ends, 1);
}

TEST_F(MainWindowChromeTest, YesEndsTheProgramAndATickedBoxWritesExitConfirmOff) {
  prompts.Script(Answer::Yes, false);
  main.Exit1Click();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(StoredExitConfirm(), std::nullopt);

  prompts.Script(Answer::Yes, true);
  main.Exit1Click();
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(StoredExitConfirm(), "0");
  EXPECT_TRUE(program.state.settings.ExitConfirm);  // the record is left as it was
}

TEST_F(MainWindowChromeTest, WithExitConfirmOffExitEndsWithoutAsking) {
  program.state.settings.ExitConfirm = false;
  main.Exit1Click();
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(MainWindowChromeTest, ExitFadesOnWindows2000AndLaterButNotOnWindows98) {
  std::vector<int> expected{255};
  for (int opacity = 250; opacity >= 10; opacity -= 10) expected.push_back(opacity);
  ASSERT_EQ(expected.size(), 26u);

  memory.system.version = VersionRecord{5, 0, 2195, 2, "Service Pack 4"};
  main.ExitMe();
  ASSERT_EQ(fades.size(), 1u);
  EXPECT_EQ(fades[0], expected);

  memory.system.version = VersionRecord{4, 10, 1998, 1, ""};
  main.ExitMe();
  EXPECT_EQ(fades.size(), 1u);
  EXPECT_EQ(ends, 2);  // both ended
}

}  // namespace
}  // namespace vandrel
