#include "blocklist/TForm3.h"

#include <gtest/gtest.h>

#include "DialogDoubles.h"

#include "blocklist/CryptString.h"
#include "blocklist/TitleSuffix.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

using Lines = std::vector<std::string>;
constexpr char kSuffixed[] = " - Microsoft Internet Explorer";
constexpr int kPixelsPerCharacter = 7;

class TForm3Test : public ::testing::Test, protected DialogDoubles {
 protected:
  TForm3Test() {
    system.executablePath = "C:\\Vandrel\\Vandrel.exe";
    dialog.widestItem = [](const ListBox&, const Lines& items) {
      std::size_t widest = 0;
      for (const auto& item : items) widest = std::max(widest, item.size());
      return static_cast<int>(widest) * kPixelsPerCharacter;
    };
    dialog.Form.SetVisible(true);  // the user works in the shown dialog
  }
  void OpenBrowser(const std::string& title) { desktop.Open(title, "IEFrame", 0); }
  void SelectTitle(const std::string& title) {
    const auto& items = dialog.ListBox1.Items();
    dialog.ListBox1.UserSelect(static_cast<int>(std::find(items.begin(), items.end(), title) - items.begin()));
  }
  void SelectEntry(const std::string& entry) { dialog.ListBox2.UserSelect(list.IndexOf(entry)); }
};

TEST_F(TForm3Test, RefreshListsVisibleBrowserFramesWithTitlesInEnumerationOrder) {
  desktop.Open("Hidden" + std::string(kSuffixed), "IEFrame", 0, false);
  desktop.Open("", "IEFrame");
  desktop.Open("Notes", "Notepad");
  desktop.Open("Lower", "ieframe");
  OpenBrowser("Old" + std::string(kSuffixed));
  desktop.Open("Wrapped", "XIEFrameY");
  dialog.RefreshClick();
  EXPECT_EQ(dialog.ListBox1.Items(), (Lines{"Wrapped", "Old" + std::string(kSuffixed)}));
  EXPECT_EQ(dialog.ListBox1.ScrollWidth(), 33 * kPixelsPerCharacter + kScrollMargin);
  EXPECT_EQ(dialog.ListBox2.ScrollWidth(), kScrollMargin);  // an empty list box measures 0
}

TEST_F(TForm3Test, AddingATitleTakesItsTitlePartOnceAndRefusesBlankPages) {
  dialog.AddToBlackListClick();
  OpenBrowser("News" + std::string(kSuffixed));
  OpenBrowser("about:blank" + std::string(kSuffixed));
  OpenBrowser("NEWS" + std::string(kSuffixed));
  OpenBrowser("Renamed - Other Browser");
  OpenBrowser("- Microsoft Internet Explorer");
  OpenBrowser("Ad" + std::string(kSuffixed));
  OpenBrowser("x- Microsoft Internet Explorer");     // an empty title part
  OpenBrowser("\t Sport" + std::string(kSuffixed));  // taken trimmed, as the tray takes it
  dialog.RefreshClick();
  dialog.AddToBlackListClick();
  SelectTitle("News" + std::string(kSuffixed));
  dialog.AddToBlackListClick();
  for (const char* title :
       {"NEWS - Microsoft Internet Explorer", "Renamed - Other Browser", "\t Sport - Microsoft Internet Explorer"}) {
    SelectTitle(title);
    dialog.AddToBlackListClick();
  }
  for (const char* title : {"about:blank - Microsoft Internet Explorer", "- Microsoft Internet Explorer",
                            "Ad - Microsoft Internet Explorer", "x- Microsoft Internet Explorer"}) {
    SelectTitle(title);
    dialog.AddToBlackListClick();
  }
  EXPECT_EQ(list.Entries(), (Lines{"News", "Sport"}));
  EXPECT_EQ(dialog.ListBox2.Items(), (Lines{"News", "Sport"}));
  EXPECT_EQ(Shown(), (Lines{kNoTitlesToAdd, kSelectTitle, kWindowHasNoTitle, kWindowHasNoTitle, kKeywordTooShort,
                            kKeywordTooShort}));
  EXPECT_FALSE(files.Exists(titles.TitlesPath()));  // written only when the dialog closes
}

TEST_F(TForm3Test, KeywordsNeedThreeCharactersAndAreAddedOnceIgnoringCase) {
  for (const std::string& keyword : Lines{"ab", "abc", "ABC", "ab ", std::string(255, 'k')}) {
    dialog.AKW.UserTyped(keyword);
    dialog.AddKeywordClick();
  }
  EXPECT_EQ(list.Entries(), (Lines{"ab ", "abc", std::string(255, 'k')}));
  EXPECT_EQ(dialog.ListBox2.Items(), list.Entries());
  EXPECT_EQ(Shown(), Lines{kKeywordTooShort});
  EXPECT_EQ(dialog.AKW.Text(), std::string(255, 'k'));
  EXPECT_EQ(dialog.ListBox2.ScrollWidth(), 0);  // a keyword does not recompute the extents
}

TEST_F(TForm3Test, EnterInTheKeywordBoxAddsAndIsSwallowedOtherCharactersPass) {
  dialog.AKW.UserTyped("poker");
  char key = 'x';
  dialog.AKWKeyPress(key);
  EXPECT_EQ(key, 'x');
  EXPECT_EQ(list.Count(), 0u);
  key = kEnterCharacter;
  dialog.AKWKeyPress(key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(list.Entries(), Lines{"poker"});
}

TEST_F(TForm3Test, DeleteWithoutSelectionWarnsAndTheKeyIsSwallowed) {
  list.Assign({"Ads"});
  int key = kDeleteKey;
  dialog.ListBox2KeyDown(key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(list.Count(), 1u);
  EXPECT_EQ(Shown(), Lines{kNoTitleSelected});
  key = 'A';
  dialog.ListBox2KeyDown(key);
  EXPECT_EQ(key, 'A');
  EXPECT_EQ(dialog.ListBox2.ScrollWidth(), 3 * kPixelsPerCharacter + kScrollMargin);  // every key measures
}

TEST_F(TForm3Test, ASilencedYesDeletesAndStopsTheQuestionAtOnce) {
  list.Assign({"Ads", "Casino", "Poker"});
  dialog.Scroller();
  SelectEntry("Casino");
  prompts.Script(Answer::No);
  dialog.RemoveFromBlackListClick();
  EXPECT_EQ(list.Count(), 3u);
  prompts.Script(Answer::Yes, true);
  dialog.RemoveFromBlackListClick();
  EXPECT_EQ(list.Entries(), (Lines{"Ads", "Poker"}));
  EXPECT_EQ(dialog.ListBox2.ItemIndex(), -1);
  EXPECT_FALSE(settings.DeleteConfirm);
  EXPECT_EQ(SettingsKey(registry).ReadText("DeleteConfirm"), "0");
  SelectEntry("Ads");
  dialog.RemoveFromBlackListClick();  // nothing scripted: asking again would throw
  EXPECT_EQ(list.Entries(), Lines{"Poker"});
  ASSERT_EQ(prompts.Messages().size(), 2u);
  EXPECT_TRUE(prompts.Messages()[1].silenceable);
  EXPECT_EQ(prompts.Messages()[1].text, kConfirmDelete);
}

TEST_F(TForm3Test, AnAddWhileTheDeleteQuestionIsUpDeletesTheEntryAskedAbout) {
  list.Assign({"Casino", "Poker"});
  dialog.Scroller();
  SelectEntry("Casino");
  prompts.WhileNextBoxIsUp([&] { list.Add("Ads"); });  // moves "Casino" to index 1
  prompts.Script(Answer::Yes);
  dialog.RemoveFromBlackListClick();
  EXPECT_EQ(list.Entries(), (Lines{"Ads", "Poker"}));
  // The entry asked about went meanwhile: nothing else is deleted.
  SelectEntry("Ads");
  prompts.WhileNextBoxIsUp([&] { list.Delete(0); });
  prompts.Script(Answer::Yes);
  dialog.RemoveFromBlackListClick();
  EXPECT_EQ(list.Entries(), Lines{"Poker"});
}

TEST_F(TForm3Test, AnEntryAddedElsewhereKeepsTheSelectionOnItsEntry) {
  list.Assign({"Casino", "Poker"});
  dialog.Scroller();
  SelectEntry("Poker");
  list.Add("Ads");  // the tray's add, followed by its Scroller
  dialog.Scroller();
  EXPECT_EQ(dialog.ListBox2.Items(), (Lines{"Ads", "Casino", "Poker"}));
  EXPECT_EQ(dialog.ListBox2.ItemIndex(), 2);
}

TEST_F(TForm3Test, HidingWritesTheFileAfterStoringThePasswordState) {
  files.files[titles.TitlesPath()] = CryptString("zeta") + "\r\n" + CryptString("Alpha") + "\r\n";
  dialog.FormCreate();
  EXPECT_EQ(dialog.ListBox2.Items(), (Lines{"Alpha", "zeta"}));
  EXPECT_EQ(dialog.ListBox2.ScrollWidth(), 5 * kPixelsPerCharacter + kScrollMargin);
  dialog.Form.SetVisible(true);
  dialog.AKW.UserTyped("beta");
  dialog.AddKeywordClick();
  dialog.Minimize.Click();
  EXPECT_FALSE(dialog.Form.Visible());
  EXPECT_EQ(files.files[titles.TitlesPath()],
            CryptString("Alpha") + "\r\n" + CryptString("beta") + "\r\n" + CryptString("zeta") + "\r\n");
  EXPECT_EQ(SettingsKey(registry).ReadText(kPassEnabledValue), "0");
}

TEST_F(TForm3Test, AHiddenDialogFillsItsBlockListBoxOnlyWhenShown) {
  dialog.Form.SetVisible(false);
  files.files["C:\\Vandrel\\titles.dat"] = CryptString("zeta") + "\r\n" + CryptString("Alpha") + "\r\n";
  dialog.FormCreate();
  EXPECT_TRUE(dialog.ListBox2.Items().empty());
  EXPECT_EQ(dialog.ListBox2.ScrollWidth(), 5 * kPixelsPerCharacter + kScrollMargin);  // measured all the same
  dialog.Form.SetVisible(true);
  dialog.FormShow();
  EXPECT_EQ(dialog.ListBox2.Items(), (Lines{"Alpha", "zeta"}));
}

}  // namespace
}  // namespace vandrel
