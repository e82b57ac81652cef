// The tray's "Recently closed" submenu over the real program: what it
// shows, and what choosing an item does.
#include "app/RecentlyClosedMenu.h"

#include <gtest/gtest.h>

#include "app/Program.h"
#include "blocklist/TitlesFile.h"
#include "fakes/MemoryPlatform.h"
#include "platform/PlatformError.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

using Strings = std::vector<std::string>;
constexpr const char* kTitlesDat = "C:\\Program Files\\Vandrel\\titles.dat";
const std::string kSuffix = " - Microsoft Internet Explorer";

struct NoCommands : TrayCommands {
  void Show() override {}
  void StartToggle() override {}
  void Block100Toggle() override {}
  void BlockList() override {}
  void AllowedList() override {}
  void Erase() override {}
  void ExitWithQuestion() override {}
  void ExitWithoutQuestion() override {}
  void SaveBlockList() override {}
};

ClosedWindow Closed(std::string title, std::string entry = {}) {
  ClosedWindow closed;
  closed.title = std::move(title);
  closed.blockListEntry = std::move(entry);
  closed.time = "09:41";
  return closed;
}

TEST(RecentlyClosedCaptionTest, ShowsThePageTitleCutToFitWithTheRuleAndEveryAmpersandLiteral) {
  LeadByteTable shiftJis{};  // the lead bytes of code page 932
  for (int byte = 0x81; byte <= 0xFC; ++byte) shiftJis[byte] = byte <= 0x9F || byte >= 0xE0;
  const auto caption = [&](const std::string& page, const std::string& entry = {}) {
    return RecentlyClosedCaption(Closed(page + kSuffix, entry), kSuffix.substr(1), shiftJis);
  };
  const std::string x(kShownTitleLength - 4, 'x');
  EXPECT_EQ(caption("Q&A", "q&a"), "Q&&A (block list: q&&a)\t09:41");
  EXPECT_EQ(caption("Home"), "Home (window limit)\t09:41");
  // The rule's entry, which may be as long as a title, is cut as the title is.
  EXPECT_EQ(caption("Q", std::string(1500, 'e')),
            "Q (block list: " + std::string(kShownTitleLength - 3, 'e') + "...)\t09:41");
  // A title as long as a window title can be read (254 characters).
  EXPECT_EQ(caption(std::string(100, 'x') + " & " + std::string(151 - kSuffix.size(), 'y')),
            std::string(kShownTitleLength - 3, 'x') + "... (window limit)\t09:41");
  // A cut that ends at an ampersand still doubles it whole.
  EXPECT_EQ(caption(x + "&yyyyyyyy"), x + "&&... (window limit)\t09:41");
  // Nor does it part a character of two bytes, or keep blanks before the mark.
  EXPECT_EQ(caption(x + "\x82\xA0\x82\xA0 yyyyy"), x + "... (window limit)\t09:41");
  EXPECT_EQ(caption(x.substr(1) + "\x82\xA0\x82\xA0 yyyyy"), x.substr(1) + "\x82\xA0... (window limit)\t09:41");
  EXPECT_EQ(caption(x + "  \x82\xA0yyyy"), x + "... (window limit)\t09:41");
}

class RecentlyClosedMenuTest : public ::testing::Test {
 protected:
  RecentlyClosedMenuTest() {
    program.mainWindow.FormCreate(806, false);
    program.BlockListCreated();
    program.state.blockList.Assign({"casino", "news"});
    program.mainWindow.Start1Click();  // blocking on
  }
  // Opens a frame and lets the scan close it; returns its handle.
  WindowHandle ClosedFrame(const std::string& page, const std::string& address = {}) {
    const WindowHandle frame = memory.desktop.Open(page + kSuffix, "IEFrame", kWsMaximizeBox);
    if (!address.empty()) memory.browserAddresses.addresses[frame] = address;
    program.mainWindow.Timer1Timer();
    memory.desktop.ApplyCloses();
    program.mainWindow.Timer1Timer();  // takes the shell's answer, read apart from the tick
    return frame;
  }
  Strings Opened() const {
    Strings targets;
    for (const auto& request : memory.documents.opened) targets.push_back(request.target);
    return targets;
  }
  Strings Saved() const { return DecodeTitles(memory.files.files.at(kTitlesDat)); }
  const Strings& Entries() const { return program.state.blockList.Entries(); }

  MemoryPlatform memory;
  ScriptedPrompts prompts;
  Program program{memory.platform, prompts};
  RecentlyClosedMenu& menu = program.recentlyClosedMenu;
};

TEST_F(RecentlyClosedMenuTest, ChoosingABlockListCloseAsksToRemoveItsEntryThenOpensTheAddress) {
  ClosedFrame("Daily news", "http://news.example/");
  ClosedFrame("Casino");  // no address: the shell did not list it
  const auto& closed = program.recentlyClosed.Newest();
  ASSERT_EQ(menu.Captions(), (Strings{"Casino (block list: casino)\t" + closed[0].time,
                                      "Daily news (block list: news)\t" + closed[1].time}));
  prompts.Script(Answer::No);
  menu.Choose(1);
  EXPECT_EQ(Entries(), (Strings{"casino", "news"}));
  prompts.Script(Answer::Yes);
  menu.Choose(1);
  EXPECT_EQ(Entries(), Strings{"casino"});
  EXPECT_EQ(Saved(), Strings{"casino"});  // the file follows at once
  EXPECT_EQ(Opened(), (Strings{"http://news.example/", "http://news.example/"}));
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_EQ(prompts.Messages()[1].text, "Remove 'news' from the block list?");
  EXPECT_TRUE(prompts.Messages()[1].silenceable);

  // The entry is gone already: no question, the page opens again.
  menu.Choose(1);
  EXPECT_EQ(Opened().size(), 3u);
  // With no address nothing could open again: the user is told, and the
  // entry stays.
  menu.Choose(0);
  EXPECT_EQ(Entries(), Strings{"casino"});
  ASSERT_EQ(prompts.Messages().size(), 3u);
  EXPECT_EQ(prompts.Messages()[2].text, kClosedAddressUnknown);
  EXPECT_EQ(Opened().size(), 3u);
  EXPECT_EQ(prompts.Unused(), 0u);
}

TEST_F(RecentlyClosedMenuTest, TheQuestionSilencedTakesTheEntryOutWithoutAskingAndLimitClosesAskNothing) {
  program.state.settings.DeleteConfirm = false;
  ClosedFrame("Casino", "http://casino.example/");
  menu.Captions();
  menu.Choose(0);
  EXPECT_TRUE(std::find(Entries().begin(), Entries().end(), "casino") == Entries().end());

  program.state.settings.LimitEnabled = true;
  program.state.settings.LimitWindows = 0;
  ClosedFrame("Home", "http://home.example/");
  menu.Captions();
  menu.Choose(0);
  EXPECT_EQ(Opened(), (Strings{"http://casino.example/", "http://home.example/"}));
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(RecentlyClosedMenuTest, AChoiceTakesTheItemThatWasShownAlsoWhenTheListHasMovedOnSince) {
  ClosedFrame("First news", "http://first.example/");
  menu.Captions();
  // While the menu is up, more windows are closed: the newest come first now.
  for (int i = 0; i < 3; ++i) ClosedFrame("Casino " + std::to_string(i));
  prompts.Script(Answer::No);
  menu.Choose(0);
  EXPECT_EQ(Opened(), Strings{"http://first.example/"});
  // Once it has fallen out of the list, choosing it does nothing.
  for (int i = 0; i < 10; ++i) ClosedFrame("News " + std::to_string(i));
  menu.Choose(0);
  menu.Choose(5);
  EXPECT_EQ(Opened().size(), 1u);
  // A window that asks before it goes is closed again at every tick: the
  // item shown before the last tick still takes it.
  const WindowHandle asking = memory.desktop.Open("Asking news" + kSuffix, "IEFrame", kWsMaximizeBox);
  memory.browserAddresses.addresses[asking] = "http://asking.example/";
  program.mainWindow.Timer1Timer();
  menu.Captions();
  program.mainWindow.Timer1Timer();
  prompts.Script(Answer::No);
  menu.Choose(0);
  EXPECT_EQ(Opened(), (Strings{"http://first.example/", "http://asking.example/"}));
}

TEST_F(RecentlyClosedMenuTest, TheTrayMenusSubmenuIsDisabledWhileEmptyAndListsTheNewestFirst) {
  NoCommands commands;
  TrayMenus tray{memory.desktop,
                 program.state.blockList,
                 program.state.titleSuffix,
                 program.mainWindow.Blocking,
                 prompts,
                 commands,
                 menu,
                 program.notice,
                 program.logOnErase};
  TrayMenu shown = tray.StaticMenu();
  ASSERT_EQ(shown[6].caption, kRecentlyClosedCaption);
  EXPECT_FALSE(shown[6].enabled);
  EXPECT_TRUE(shown[6].submenu.empty());
  ClosedFrame("Casino");
  ClosedFrame("News", "http://news.example/");
  shown = tray.StaticMenu();
  EXPECT_TRUE(shown[6].enabled);
  ASSERT_EQ(shown[6].submenu.size(), 2u);
  EXPECT_EQ(shown[6].submenu[0].caption.substr(0, 22), "News (block list: news");
  EXPECT_EQ(shown.back().caption, "Exit");
  prompts.Script(Answer::No);
  tray.ChooseRecentlyClosed(0);
  EXPECT_EQ(Opened(), Strings{"http://news.example/"});

  // Each closed window offers to reopen it or to allow it; a site only where its address was read.
  const auto& casino = shown[6].submenu[1].submenu;
  ASSERT_EQ(casino.size(), 3u);
  EXPECT_EQ(casino[1].caption, "Always allow this &site");
  EXPECT_FALSE(casino[1].enabled);
  EXPECT_TRUE(shown[6].submenu[0].submenu[1].enabled);
  tray.ChooseRecentlyClosed(static_cast<std::size_t>(shown[6].submenu[0].submenu[1].choice));
  EXPECT_EQ(program.state.allowed.Entries(), (std::vector<AllowedEntry>{{AllowedKind::Site, "news.example"}}));
  EXPECT_EQ(Opened().size(), 2u);
  // The title's words are proposed in the list's window, where the user cuts them down before adding.
  std::string proposed;
  program.allowedDialog.showModal = [&] {
    proposed = program.allowedDialog.EntryText.Text();
    program.allowedDialog.EntryText.UserTyped("Casino");
    program.allowedDialog.AddClick();
  };
  tray.ChooseRecentlyClosed(static_cast<std::size_t>(casino[2].choice));
  EXPECT_EQ(proposed, "Casino");
  EXPECT_EQ(program.state.allowed.Entries().back(), (AllowedEntry{AllowedKind::Title, "Casino"}));
  EXPECT_TRUE(memory.files.files.contains("C:\\Program Files\\Vandrel\\allowed.dat"));
}

// A closed window's address comes from its page: only a web page's address
// is handed to the shell; another is named to the user and not opened.
TEST_F(RecentlyClosedMenuTest, OnlyAWebPagesAddressIsOpened) {
  for (const char* web : {"http://a.example/", "HTTPS://a.example/x", "ftp://files.example/"}) {
    EXPECT_TRUE(IsWebAddress(web)) << web;
  }
  for (const char* other : {"file:///C:/Windows/notepad.exe", "javascript:alert(1)", "C:\\evil.exe", "http://", "",
                            "mailto:x@example.com", "about:blank"}) {
    EXPECT_FALSE(IsWebAddress(other)) << other;
  }
  program.state.blockList.Assign({});
  program.state.settings.LimitEnabled = true;
  program.state.settings.LimitWindows = 0;
  ClosedFrame("Script", "file://server/share/run.exe");
  menu.Captions();
  menu.Choose(0);
  menu.Choose(0, ClosedWindowAction::AllowSite);
  EXPECT_TRUE(Opened().empty());
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_EQ(prompts.Messages()[0].text, FormatMessageText(kAddressNotOpened, "file://server/share/run.exe"));
}

}  // namespace
}  // namespace vandrel
