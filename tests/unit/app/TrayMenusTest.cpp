#include "app/TrayMenus.h"

#include <gtest/gtest.h>

#include "app/Program.h"
#include "app/TrayMenuIds.h"
#include "blocklist/CryptString.h"
#include "blocklist/TitleEntry.h"
#include "blocklist/TitlesFile.h"
#include "settings/SettingsKey.h"
#include "fakes/MemoryPlatform.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

using Strings = std::vector<std::string>;
constexpr const char* kTitlesDat = "C:\\Program Files\\Vandrel\\titles.dat";

std::string Frame(const std::string& page) { return page + " - Microsoft Internet Explorer"; }

// Toggles the real modes and saves the real file; the rest is recorded.
struct RecordedCommands : TrayCommands {
  explicit RecordedCommands(Program& program) : program(program) {}
  void Show() override { calls.push_back("Show"); }
  void StartToggle() override { program.mainWindow.Start1Click(); }
  void Block100Toggle() override { program.mainWindow.Blocking.StoProcClick(); }
  void BlockList() override { calls.push_back("BlockList"); }
  void AllowedList() override { calls.push_back("AllowedList"); }
  void Erase() override { calls.push_back("Erase"); }
  void ExitWithQuestion() override { calls.push_back("ExitWithQuestion"); }
  void ExitWithoutQuestion() override { calls.push_back("ExitWithoutQuestion"); }
  void SaveBlockList() override {
    calls.push_back("Save");
    program.titles.SaveTitlesClick(program.state.blockList);
  }
  Program& program;
  Strings calls;
};

class TrayMenusTest : public ::testing::Test {
 protected:
  TrayMenusTest() {
    program.mainWindow.FormCreate(806, false);
    program.BlockListCreated();  // the list is loaded: saves write from now on
  }
  Strings Captions() {
    Strings captions;
    for (const auto& item : menus.CurrentMenu()) captions.push_back(item.caption);
    return captions;
  }
  void PressAndChoose(std::size_t index) {
    menus.CoolTrayIcon1MouseDown();
    menus.Choose(index);
  }
  const Strings& Entries() const { return program.state.blockList.Entries(); }

  MemoryPlatform memory;
  ScriptedPrompts prompts;
  Program program{memory.platform, prompts};
  RecordedCommands commands{program};
  TrayMenus menus{
      memory.desktop, program.state.blockList,   program.state.titleSuffix, program.mainWindow.Blocking, prompts,
      commands,       program.recentlyClosedMenu, program.notice,
      program.logOnErase};
};

TEST_F(TrayMenusTest, WithoutBrowserWindowsTheStaticMenuFollowsTheBlockingModes) {
  memory.desktop.Open("Untitled - Notepad", "Notepad");
  memory.desktop.Open("", "IEFrame");
  memory.desktop.Open(Frame("Hidden"), "IEFrame", 0, false);
  menus.CoolTrayIcon1MouseDown();
  EXPECT_EQ(Captions(),
            (Strings{"Show", "Block", "Block 100%", "Block List", "Always Allowed", "Erase", kRecentlyClosedCaption,
                     kNoticeCaption, kLogOnEraseCaption, "Exit"}));
  EXPECT_TRUE(menus.CurrentMenu()[7].checked);
  EXPECT_FALSE(menus.CurrentMenu()[8].checked);  // off until chosen
  menus.Choose(1);
  menus.Choose(2);
  menus.Choose(7);
  menus.Choose(8);
  EXPECT_EQ(Captions()[1], "UnB&lock");
  EXPECT_EQ(Captions()[2], "UnBlock &100%");
  EXPECT_FALSE(menus.CurrentMenu()[7].checked);
  EXPECT_TRUE(menus.CurrentMenu()[8].checked);
  EXPECT_TRUE(LogOnEraseOption(memory.registry).On()) << "stored with the settings";
  for (std::size_t index : {0u, 3u, 4u, 5u, 6u, 9u, 10u}) menus.Choose(index);
  EXPECT_EQ(commands.calls, (Strings{"Show", "BlockList", "AllowedList", "Erase", "ExitWithQuestion"}));
}

TEST_F(TrayMenusTest, BrowserWindowsMenuListsTheFramesInEnumerationOrderAndFollowsTheModes) {
  memory.desktop.Open(Frame("about:blank"), "IEFrame");
  const WindowHandle news = memory.desktop.Open(Frame("News"), "CabinetWClass IEFrame");  // topmost
  menus.CoolTrayIcon1MouseDown();
  EXPECT_EQ(Captions(), (Strings{kTrayHeader, "-", Frame("News"), Frame("about:blank"), "-", "Block", "Show",
                                 "Block &100%", "Erase", "Exit"}));
  menus.Choose(5);
  menus.Choose(7);
  menus.CoolTrayIcon1MouseDown();
  EXPECT_EQ(Captions()[5], "UnBlock");
  EXPECT_EQ(Captions()[7], "UnBlock &100%");
  // The header and separators do nothing; this menu's Exit skips the question.
  for (std::size_t index : {0u, 1u, 4u, 6u, 8u, 9u}) menus.Choose(index);
  EXPECT_EQ(commands.calls, (Strings{"Show", "Erase", "ExitWithoutQuestion"}));

  memory.desktop.Close(news);
  memory.desktop.Close(memory.desktop.Find("IEFrame", Frame("about:blank")));
  menus.CoolTrayIcon1MouseDown();
  EXPECT_EQ(Captions().size(), 10u);
}

// A page can open a thousand frames off the screen: the menu lists what the
// screen holds, and no id of an item can reach another menu's command.
TEST_F(TrayMenusTest, TheBrowserWindowsMenuListsAScreenfulAndEveryIdStaysInItsMenu) {
  for (int i = 0; i < 1000; ++i) memory.desktop.Open(Frame("Page " + std::to_string(i)), "IEFrame");
  menus.mostListedFrames = 20;
  menus.CoolTrayIcon1MouseDown();
  const TrayMenu menu = menus.CurrentMenu();
  ASSERT_EQ(menu.size(), 20 + kBrowserMenuFixedItems);
  EXPECT_EQ(menu[2].caption, Frame("Page 999"));
  EXPECT_EQ(menu[22].caption, MoreFramesCaption(980));
  EXPECT_FALSE(menu[22].enabled);
  menus.Choose(22);
  menus.Choose(menu.size() - 1);
  EXPECT_EQ(commands.calls, (Strings{"ExitWithoutQuestion"}));

  using Kind = TrayMenuKind;
  const struct {
    unsigned id;
    Kind tracked;
    std::optional<TrayMenuChoice> choice;
  } ids[] = {
      {FirstIdOf(Kind::Icon) + 5, Kind::Icon, TrayMenuChoice{Kind::Icon, 5}},
      {FirstIdOf(Kind::Static) - 1, Kind::Icon, TrayMenuChoice{Kind::Icon, kTrayMenuIdRange - 1}},
      {FirstIdOf(Kind::Static), Kind::Icon, std::nullopt},  // the icon menu's 1001st item is not Show
      {FirstIdOf(Kind::Static) + 3, Kind::Static, TrayMenuChoice{Kind::Static, 3}},
      {FirstIdOf(Kind::Icon) + 3, Kind::Static, std::nullopt},
      {FirstIdOf(Kind::RecentlyClosed) + 7, Kind::Icon, TrayMenuChoice{Kind::RecentlyClosed, 7}},
      {FirstIdOf(Kind::RecentlyClosed) + 7, Kind::Static, TrayMenuChoice{Kind::RecentlyClosed, 7}},
      {FirstIdOf(Kind::RecentlyClosed), Kind::RecentlyClosed, TrayMenuChoice{Kind::RecentlyClosed, 0}},
      {FirstIdOf(Kind::Icon), Kind::RecentlyClosed, std::nullopt},
      {FirstIdOf(Kind::RecentlyClosed) + kTrayMenuIdRange, Kind::Icon, std::nullopt},
      {0, Kind::Icon, std::nullopt},
  };
  for (const auto& row : ids) EXPECT_EQ(ChoiceOf(row.id, row.tracked), row.choice) << row.id;
}

TEST_F(TrayMenusTest, ChoosingATitleAddsItsPageTitleOnceAndWritesTheFileEveryTime) {
  const WindowHandle news = memory.desktop.Open(Frame("News"), "IEFrame");
  PressAndChoose(2);
  EXPECT_EQ(DecodeTitles(memory.files.files.at(kTitlesDat)), Strings{"News"});

  memory.files.files.erase(kTitlesDat);
  memory.desktop.Close(news);
  memory.desktop.Open(Frame("NEWS"), "IEFrame");
  PressAndChoose(2);
  EXPECT_EQ(Entries(), Strings{"News"});
  EXPECT_EQ(memory.files.files.count(kTitlesDat), 1u);
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(TrayMenusTest, ATitleIsAddedAsTheWindowHasItAndShownWithItsAmpersands) {
  EXPECT_EQ(TrimmedTitle(" \t\x01News\r\n "), "News");
  EXPECT_EQ(TrimmedTitle(" & \x1f"), "&");
  EXPECT_EQ(TrimmedTitle("a\tb"), "a\tb");
  memory.desktop.Open(Frame("&Q&A Forum"), "IEFrame");
  menus.CoolTrayIcon1MouseDown();
  EXPECT_EQ(Captions()[2], Frame("&&Q&&A Forum"));
  menus.Choose(2);
  EXPECT_EQ(Captions()[2], Frame("&&Q&&A Forum"));
  EXPECT_EQ(menus.MyPopupHandler("\t R&D - Microsoft Internet Explorer\x7f\x02"),
            "R&&D - Microsoft Internet Explorer\x7f");

  // A title longer than 255 bytes is read whole; the menu shows its start.
  const std::string page(300, 'x');
  memory.desktop.Open(Frame(page), "IEFrame");
  PressAndChoose(2);
  EXPECT_EQ(Captions()[2], std::string(kMenuTitleLength - 3, 'x') + "...");
  EXPECT_EQ(Entries(), (Strings{"&Q&A Forum", "R&D", page}));
}

TEST_F(TrayMenusTest, APageTitleShorterThanAKeywordIsRefusedAndNothingIsWritten) {
  for (const std::string& page : Strings{"Ad", " x", "ab"}) menus.MyPopupHandler(Frame(page));
  EXPECT_TRUE(Entries().empty());
  ASSERT_EQ(prompts.Messages().size(), 3u);
  EXPECT_EQ(prompts.Messages()[2].text, kKeywordTooShort);
  EXPECT_EQ(prompts.Messages()[2].kind, MessageKind::Warning);
  EXPECT_TRUE(commands.calls.empty());
}

TEST_F(TrayMenusTest, APressWhileTheNoTitleMessageIsUpRebuildsTheMenuSafely) {
  memory.desktop.Open(Frame("about:blank"), "IEFrame");
  menus.CoolTrayIcon1MouseDown();
  memory.desktop.Open(Frame("News"), "IEFrame");
  prompts.WhileNextBoxIsUp([&] { menus.CoolTrayIcon1MouseDown(); });
  menus.Choose(2);  // the blank page: its message box runs the second press
  EXPECT_EQ(Captions(), (Strings{kTrayHeader, "-", Frame("News"), Frame("about:blank"), "-", "Block", "Show",
                                 "Block &100%", "Erase", "Exit"}));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(TrayMenusTest, FramesWithoutAPageTitleGetTheNoTitleMessageAndNoSave) {
  for (const std::string& caption : Strings{"- Microsoft Internet Explorer", " \t- Microsoft Internet Explorer",
                                            Frame("about:blank"), "about:blank"}) {
    menus.MyPopupHandler(caption);
  }
  ASSERT_EQ(prompts.Messages().size(), 4u);
  EXPECT_EQ(prompts.Messages()[3].text, kNoTitleMessage);
  EXPECT_EQ(prompts.Messages()[3].kind, MessageKind::Information);
  EXPECT_TRUE(commands.calls.empty());

  // Without the suffix nothing is added, but the file is written.
  menus.MyPopupHandler("Notes");
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(commands.calls, Strings{"Save"});
}

TEST_F(TrayMenusTest, APressRefreshesTheOpenBlockListDialogsWindowsButNotThePasswordBeingTyped) {
  SettingsKey(memory.registry).WriteString(kPassEnabledValue, "1");
  SettingsKey(memory.registry).WriteString(kPasswordValue, CryptString("Secret"));
  TForm3& dialog = program.blockListDialog;
  dialog.Form.SetVisible(true);
  dialog.RefreshClick();
  dialog.Protection.Password.UserTyped("Changed");
  memory.desktop.Open(Frame("News"), "IEFrame");
  program.trayMenus.CoolTrayIcon1MouseDown();
  EXPECT_EQ(dialog.ListBox1.Items(), Strings{Frame("News")});
  EXPECT_EQ(dialog.Protection.Password.Text(), "Changed");
}

TEST_F(TrayMenusTest, AFailedWriteIsReportedAndTheEntryStaysInMemory) {
  memory.files.unwritableFolders.insert("C:\\Program Files\\Vandrel");
  memory.desktop.Open(Frame("News"), "IEFrame");
  PressAndChoose(2);
  EXPECT_EQ(Entries(), Strings{"News"});
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, std::string("Cannot create file ") + kTitlesDat);
}

}  // namespace
}  // namespace vandrel
