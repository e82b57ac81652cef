#include <gtest/gtest.h>

#include <memory>

#include "app/Program.h"
#include "app/ProgramEntry.h"
#include "eraser/CookiesToKeep.h"
#include "eraser/StoredEraseChoices.h"
#include "fakes/MemoryPlatform.h"
#include "platform/PlatformError.h"
#include "settings/SettingsKey.h"
#include "ui/memory/ScriptedPrompts.h"

namespace vandrel {
namespace {

constexpr auto kCu = RootKey::CurrentUser;

class TForm2Test : public ::testing::Test {
 protected:
  TForm2Test() { Start(); }
  // The windows as the normal run makes them, then the dialog shown.
  void Start() {
    program = std::make_unique<Program>(memory.platform, prompts);
    program->mainWindow.FormCreate(806, false);
    program->richMedia.FormCreate();
    program->OptionsCreated();
    program->BlockListCreated();
    program->WindowsCreated();
    dialog().Form.SetVisible(true);
  }
  TForm2& dialog() { return program->optionsDialog; }
  void Put(const std::string& name, const std::string& text) {
    memory.registry.WriteString(kCu, kSettingsKeyPath, name, text);
  }
  std::optional<std::string> Stored(const std::string& name) { return Text(kCu, kSettingsKeyPath, name); }
  std::optional<std::string> Text(RootKey root, const std::string& path, const std::string& name) {
    const auto value = memory.registry.ReadValue(root, path, name);
    if (!value) return std::nullopt;
    return value->text;
  }
  std::optional<std::string> AutoSuggestValue() { return Text(kCu, kAutoCompleteKeyPath, kAutoSuggestValue); }
  std::optional<std::string> StartPage() { return Text(kCu, kBrowserMainKeyPath, kStartPageValue); }
  std::optional<std::string> RunValue() { return Text(kCu, kRunKeyPath, kRunValueName); }

  MemoryPlatform memory;
  ScriptedPrompts prompts;
  std::unique_ptr<Program> program;
};

TEST_F(TForm2Test, OkStoresEveryControlTheRunEntryAndTheHomePageAndEndsBlock100) {
  TForm2& d = dialog();
  prompts.Script(Answer::Ok);
  program->mainWindow.StoProcClick();
  ASSERT_TRUE(program->mainWindow.Blocking.Block100Active());
  const std::size_t shownBefore = prompts.Messages().size();
  d.Limit.SetChecked(true);
  d.MaxWindows.SetValue(7);
  d.WhenStarted.SetItemIndex(1);
  d.RadioGroup1.SetItemIndex(3);
  d.eBookmarks.SetChecked(true);
  d.eRealOne.SetChecked(false);
  d.EOC.SetChecked(true);
  d.SetPage.SetChecked(true);
  d.HomePage.SetText("http:/");  // six characters: written
  d.WavFile.SetText("C:\\ding.wav");
  d.OK.Click();

  EXPECT_FALSE(d.Form.Visible());
  EXPECT_EQ(Stored("LimitEnabled"), "1");
  EXPECT_EQ(Stored("LimitWindows"), "7");
  EXPECT_EQ(Stored("LimitClose"), "1");
  EXPECT_EQ(Stored("TimerInterval"), "2000");
  EXPECT_EQ(Stored("Bookmarks"), "1");
  EXPECT_EQ(Stored("RealOne"), "0");
  EXPECT_EQ(Stored("ExitOnClose"), "1");
  EXPECT_EQ(Stored("HomePageIE"), "http:/");
  EXPECT_EQ(Stored("SoundFile"), "C:\\ding.wav");
  EXPECT_EQ(program->mainWindow.Timer1.Interval(), 2000);
  EXPECT_EQ(program->state.settings.LimitWindows, 7) << "the scan reads the record from the next tick";
  EXPECT_TRUE(program->state.settings.ExitOnClose);
  EXPECT_EQ(RunValue(), "\"C:\\Program Files\\Vandrel\\Vandrel.exe\" Minimize");
  EXPECT_EQ(StartPage(), "http:/");
  EXPECT_FALSE(program->mainWindow.Blocking.Block100Active());
  EXPECT_EQ(program->state.settings.LimitWindows, 7) << "Block 100% put nothing of its own back";

  d.Form.SetVisible(true);
  d.WinStart.SetChecked(false);
  d.HomePage.SetText("http:");  // five characters: the browser keeps the last one
  d.OK.Click();
  EXPECT_EQ(RunValue(), std::nullopt);
  EXPECT_EQ(StartPage(), "http:/");
  d.OK.Click();  // a Run value already gone is no error
  EXPECT_EQ(prompts.Messages().size(), shownBefore);
}

// Every box against its stored value and its erase step, one box on at a
// time, so that any two swapped places show; then the other fields.
TEST_F(TForm2Test, EverySettingReachesItsOwnControlAndComesBackOnOk) {
  struct Box {
    const char* value;
    CheckBox TForm2::*box;
    bool EraseSelection::*step;
  };
  const Box boxes[] = {
      {"Cache", &TForm2::eCache, &EraseSelection::cache},
      {"Cookies", &TForm2::eCookies, &EraseSelection::cookies},
      {"History", &TForm2::eHistory, &EraseSelection::history},
      {"All", &TForm2::All, &EraseSelection::all},
      {"Bookmarks", &TForm2::eBookmarks, &EraseSelection::favorites},
      {"LocationBar", &TForm2::eLocationBar, &EraseSelection::locationBar},
      {"Recent", &TForm2::eRecent, &EraseSelection::recent},
      {"TempFolder", &TForm2::eTempFolder, &EraseSelection::tempFolder},
      {"Recycled Bin", &TForm2::eBin, &EraseSelection::recycleBin},
      {"MPlayer", &TForm2::eMPlayer, &EraseSelection::mediaPlayer},
      {"RealOne", &TForm2::eRealOne, &EraseSelection::realOne},
      {"LimitEnabled", &TForm2::Limit, nullptr},
      {"ExitOnClose", &TForm2::EOC, nullptr},
      {"AutoStart", &TForm2::AutoStart, nullptr},
      {"SetHomePage", &TForm2::SetPage, nullptr},
      {"StartWithWindows", &TForm2::WinStart, nullptr},
      {"StartMinimized", &TForm2::MinimizeOnStart, nullptr},
      {"SoundEnabled", &TForm2::Sound, nullptr},
      {"AutoSuggest", &TForm2::AutoSuggest, nullptr},
      {"BanSelected", &TForm2::BanSelectedS, nullptr},
  };
  TForm2& d = dialog();
  for (const Box& on : boxes) {
    for (const Box& box : boxes) Put(box.value, &box == &on ? "1" : "0");
    d.FormCreate();
    const EraseSelection chosen = d.Current();
    // An erase without the dialog (Vandrel.exe Erase, the log-on erase) chooses the same.
    const EraseSelection stored = ReadStoredEraseChoices(memory.registry).selection;
    d.OK.Click();
    for (const Box& box : boxes) {
      const bool wanted = &box == &on;  // also the boxes All governs: they take their own states
      EXPECT_EQ((d.*box.box).Checked(), wanted) << box.value << " with only " << on.value << " stored on";
      if (box.step) {
        EXPECT_EQ(chosen.*box.step, wanted) << box.value << " with only " << on.value << " on";
        EXPECT_EQ(stored.*box.step, wanted) << box.value << " stored, with only " << on.value << " on";
      }
      EXPECT_EQ(Stored(box.value), wanted ? "1" : "0") << box.value << " with only " << on.value << " on";
    }
  }
  Put("SoundEnabled", "1");  // the file is stored only with the sound on
  Put("LimitWindows", "7");
  Put("LimitClose", "1");
  Put("HomePageIE", "http://home.example/");
  Put("SoundFile", "C:\\ding.wav");
  d.FormCreate();
  EXPECT_EQ(d.MaxWindows.Value(), 7);
  EXPECT_EQ(d.WhenStarted.ItemIndex(), 1);
  EXPECT_EQ(d.HomePage.Text(), "http://home.example/");
  EXPECT_EQ(d.WavFile.Text(), "C:\\ding.wav");
  Put("LimitWindows", "");
  Put("LimitClose", "");
  Put("HomePageIE", "");
  Put("SoundFile", "");
  d.OK.Click();
  EXPECT_EQ(Stored("LimitWindows"), "7");
  EXPECT_EQ(Stored("LimitClose"), "1");
  EXPECT_EQ(Stored("HomePageIE"), "http://home.example/");
  EXPECT_EQ(Stored("SoundFile"), "C:\\ding.wav");
}

TEST_F(TForm2Test, AStoredIntervalWithoutAChoiceShowsHalfASecondAndOkWritesIt) {
  Put("TimerInterval", "250");
  Start();
  EXPECT_EQ(dialog().RadioGroup1.ItemIndex(), 1);
  EXPECT_EQ(program->mainWindow.Timer1.Interval(), 500);
  dialog().OK.Click();
  EXPECT_EQ(Stored("TimerInterval"), "500");
  EXPECT_EQ(program->state.settings.TimerInterval, 500);
}

TEST_F(TForm2Test, CancelBringsBackTheStoredValuesAndDefaultsWritesOnlyTheConfirmations) {
  Put("AutoSuggest", "0");
  Put("DeleteConfirm", "0");
  Put("Cache", "0");
  Start();
  EXPECT_EQ(AutoSuggestValue(), "yes") << "the designed state is checked, so a stored 0 writes yes";
  EXPECT_TRUE(prompts.Messages().empty()) << "no message while the dialog is hidden";

  prompts.Script(Answer::Ok);
  dialog().DefaultsClick();
  EXPECT_TRUE(dialog().eCache.Checked());
  EXPECT_TRUE(dialog().AutoSuggest.Checked());
  EXPECT_EQ(AutoSuggestValue(), "no");
  EXPECT_EQ(Stored("DeleteConfirm"), "1");
  EXPECT_EQ(Stored("Cache"), "0") << "the other defaults wait for OK";
  ASSERT_EQ(prompts.Messages().size(), 3u);
  EXPECT_EQ(prompts.Messages()[1].text, kAutoSuggestDisabled);
  EXPECT_EQ(prompts.Messages()[2].text, kDefaultsSet);

  dialog().Cancel.Click();
  EXPECT_FALSE(dialog().Form.Visible());
  EXPECT_FALSE(dialog().eCache.Checked());
  EXPECT_FALSE(dialog().AutoSuggest.Checked());
  EXPECT_EQ(AutoSuggestValue(), "yes");
  EXPECT_TRUE(program->state.settings.DeleteConfirm);

  prompts.Script(Answer::Cancel);
  dialog().Form.SetVisible(true);
  dialog().DefaultsClick();
  EXPECT_FALSE(dialog().eCache.Checked()) << "Cancel on the question changes nothing";
}

TEST_F(TForm2Test, Block100StaysWhatItsButtonSaysThroughCancelAndEscAndEndsOnlyWithOk) {
  prompts.Script(Answer::Ok);
  program->mainWindow.StoProcClick();
  ASSERT_TRUE(program->mainWindow.Timer1.Enabled()) << "blocking starts with the program";
  const auto newFramesClosedByATick = [this] {
    std::vector<WindowHandle> frames;
    for (const char* page : {"One", "Two", "Three"}) {
      frames.push_back(memory.desktop.Open(std::string(page) + " - Microsoft Internet Explorer", "IEFrame",
                                           kWsMaximizeBox));
    }
    memory.desktop.Posted().clear();
    program->mainWindow.Timer1.Fire();
    const std::size_t closes = memory.desktop.Posted().size();
    for (const WindowHandle frame : frames) memory.desktop.Close(frame);
    return closes;
  };
  const std::function<void()> ways[] = {[this] { dialog().Cancel.Click(); },
                                        [this] {
                                          int key = 27;
                                          dialog().MaxWindowsKeyDown(key);
                                        }};
  for (const auto& leave : ways) {
    dialog().Form.SetVisible(true);
    leave();
    EXPECT_TRUE(program->mainWindow.Blocking.Block100Active());
    EXPECT_EQ(program->mainWindow.Blocking.StoProc.Caption(), "UnBlock &100%");
    EXPECT_EQ(newFramesClosedByATick(), 2u) << "one browser window is allowed";
  }
  dialog().Form.SetVisible(true);
  dialog().OK.Click();
  EXPECT_FALSE(program->mainWindow.Blocking.Block100Active());
  EXPECT_EQ(newFramesClosedByATick(), 0u) << "the dialog's limit, off, holds from OK on";
}

TEST_F(TForm2Test, AllGovernsTheThreeBrowserBoxesAndTheSoundBoxItsFileControls) {
  Put("All", "1");
  Put("Cookies", "0");
  Start();
  // All is set first; the boxes it governs then take their own stored states.
  EXPECT_TRUE(dialog().eCache.Checked());
  EXPECT_FALSE(dialog().eCookies.Checked());
  for (CheckBox* box : {&dialog().eCache, &dialog().eCookies, &dialog().eHistory}) EXPECT_FALSE(box->Enabled());
  dialog().All.SetChecked(false);
  dialog().All.SetChecked(true);
  for (CheckBox* box : {&dialog().eCache, &dialog().eCookies, &dialog().eHistory}) {
    EXPECT_TRUE(box->Checked());
    EXPECT_FALSE(box->Enabled());
  }
  dialog().All.SetChecked(false);
  for (CheckBox* box : {&dialog().eCache, &dialog().eCookies, &dialog().eHistory}) {
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(box->Enabled());
  }
  dialog().Sound.SetChecked(false);
  EXPECT_FALSE(dialog().WavFile.Enabled() || dialog().SelWavBut.Enabled() || dialog().Test.Enabled());
  dialog().Sound.SetChecked(true);
  EXPECT_TRUE(dialog().WavFile.Enabled() && dialog().SelWavBut.Enabled() && dialog().Test.Enabled());
}

TEST_F(TForm2Test, TheScanAndTheCloseBoxReadTheControlsBeforeOk) {
  Put("LimitEnabled", "1");
  Put("LimitWindows", "1");
  Put("LimitClose", "1");
  Start();
  dialog().WavFile.SetText("edited.wav");
  dialog().HomePage.SetText("http://edited.example/");
  memory.desktop.Open("A - Microsoft Internet Explorer", "IEFrame", kWsMaximizeBox);
  memory.desktop.Open("B - Microsoft Internet Explorer", "IEFrame", kWsMaximizeBox);
  memory.desktop.Open("C - Microsoft Internet Explorer", "IEFrame", kWsMaximizeBox);
  program->mainWindow.Timer1.Fire();
  // The first scan raised the limit: the control shows it and the store wrote the controls.
  EXPECT_EQ(dialog().MaxWindows.Value(), 3);
  EXPECT_EQ(Stored("LimitWindows"), "3");
  EXPECT_EQ(Stored("HomePageIE"), "http://edited.example/");
  EXPECT_EQ(Stored("SoundFile"), "edited.wav");

  memory.desktop.Open("D - Microsoft Internet Explorer", "IEFrame", kWsMaximizeBox);
  program->mainWindow.Timer1.Fire();
  EXPECT_EQ(memory.sound.played, std::vector<std::string>{"edited.wav"});
}

TEST_F(TForm2Test, TestPlaysTheFileOrAsksForOneAndSelectFillsItIn) {
  dialog().WavFile.SetText("");
  dialog().Test.Click();
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_EQ(prompts.Messages()[0].text, kSelectWavFile);
  EXPECT_EQ(prompts.Messages()[0].kind, MessageKind::Error);
  EXPECT_TRUE(memory.sound.played.empty());

  prompts.ScriptFile("D:\\sounds\\pop.wav");
  dialog().SelWavBut.Click();
  const FileDialogRequest& asked = prompts.FileDialogs().at(0).request;
  EXPECT_EQ(asked.title, "Select a wav file");
  EXPECT_EQ(asked.filter, "wav files|*.wav|All files|*.*");
  EXPECT_TRUE(asked.keepOutOfRecentDocuments);
  dialog().Test.Click();
  EXPECT_EQ(memory.sound.played, std::vector<std::string>{"D:\\sounds\\pop.wav"});

  prompts.ScriptFile(std::nullopt);
  dialog().SelWavBut.Click();
  EXPECT_EQ(dialog().WavFile.Text(), "D:\\sounds\\pop.wav") << "a cancelled choice keeps the name";
}

TEST_F(TForm2Test, EscInTheSpinBoxCancelsAndTheCloseBoxKeepsTheEdits) {
  dialog().Limit.SetChecked(true);
  dialog().FormClose();
  EXPECT_FALSE(dialog().Form.Visible());
  EXPECT_TRUE(dialog().Limit.Checked());
  EXPECT_EQ(Stored("LimitEnabled"), std::nullopt);

  dialog().Form.SetVisible(true);
  int key = 'A';
  dialog().MaxWindowsKeyDown(key);
  EXPECT_TRUE(dialog().Form.Visible());
  key = 27;
  dialog().MaxWindowsKeyDown(key);
  EXPECT_FALSE(dialog().Form.Visible());
  EXPECT_FALSE(dialog().Limit.Checked());
}

TEST_F(TForm2Test, ARunKeyThatCannotBeWrittenIsReportedAndTheDialogStaysOpen) {
  memory.registry.DenyWrites(kCu, kRunKeyPath);
  try {
    dialog().OK.Click();
    ADD_FAILURE() << "a refused write passed for success";
  } catch (const PlatformError& error) {
    EXPECT_STREQ(error.what(), "Failed to set data for 'Vandrel'");
  }
  EXPECT_TRUE(dialog().Form.Visible());
  EXPECT_EQ(Stored("LimitWindows"), "5") << "the settings were stored before";
}

TEST_F(TForm2Test, TheEraseCommandReadsTheEraserPagesBoxesAsTheyAreNow) {
  for (CheckBox* box : {&dialog().eCache, &dialog().eCookies, &dialog().eHistory, &dialog().All, &dialog().eBookmarks,
                        &dialog().eLocationBar, &dialog().eRecent, &dialog().eTempFolder, &dialog().eBin,
                        &dialog().eMPlayer, &dialog().eRealOne}) {
    box->SetChecked(false);
  }
  program->mainWindow.EraseStuffClick();
  EXPECT_EQ(prompts.Messages().back().text, "Nothing is selected to erase!");

  dialog().eBin.SetChecked(true);  // not stored: the erase sees the control
  prompts.Script(Answer::Ok);
  program->mainWindow.EraseStuffClick();
  EXPECT_EQ(prompts.Messages().back().text, "Erase completed.");
  EXPECT_EQ(memory.shell.recycleBinsEmptied, 3);
  EXPECT_EQ(memory.shell.recentDocumentsCleared, 0) << "only the chosen step ran";
}

TEST_F(TForm2Test, ResetWarningsWritesBothConfirmationsAtOnce) {
  Put("ExitConfirm", "0");
  Start();
  dialog().Button1.Click();
  EXPECT_EQ(Stored("ExitConfirm"), "1");
  EXPECT_EQ(Stored("DeleteConfirm"), "1");
  EXPECT_TRUE(program->state.settings.ExitConfirm);
  EXPECT_EQ(prompts.Messages().back().text, kWarningsReset);
}

// "Cookies to keep..." shows the sites that have cookies beside the sites
// kept; a site is moved across or typed, what no site can be is refused,
// OK stores the list and Cancel leaves it as stored.
TEST_F(TForm2Test, CookiesToKeepShowsTheSitesWithCookiesAndStoresTheKeptOnOkOnly) {
  Put(kCookiesToKeepValue, "bank.test|http://mail.test/");
  for (const char* url : {"Cookie:jo@www.example.com/", "Cookie:jo@.Example.com/a", "Cookie:jo@example.com/b"}) {
    memory.urlCache.Add(url, 0x100001);
  }
  CookiesToKeepDialog& c = program->cookiesToKeepDialog;
  const auto told = [&](const std::string& part) {
    return prompts.Messages().back().text.find(part) != std::string::npos;
  };
  dialog().KeptCookies.Click();
  EXPECT_TRUE(told("\"http://mail.test/\": a scheme"));
  EXPECT_EQ(c.Present.Items(), (std::vector<std::string>{"example.com (2)", "www.example.com (1)"}));
  EXPECT_EQ(c.Kept.Items(), std::vector<std::string>{"bank.test"});
  c.Present.UserSelect(0);
  c.KeepClick();
  c.Typed.UserTyped("www.example.com/login");
  c.AddClick();
  EXPECT_TRUE(told(kKeptSitePath));
  c.Typed.UserTyped("Bank.Test");
  c.AddClick();
  EXPECT_TRUE(told(kKeptSiteAlready));
  c.Kept.UserSelect(0);
  c.RemoveClick();
  EXPECT_EQ(c.Kept.Items(), std::vector<std::string>{"example.com"});
  c.CancelClick();
  EXPECT_EQ(Stored(kCookiesToKeepValue), "bank.test|http://mail.test/");
  dialog().KeptCookies.Click();
  c.Typed.UserTyped(".Mail.Test");
  c.AddClick();
  c.OKClick();
  EXPECT_EQ(Stored(kCookiesToKeepValue), "bank.test|mail.test");
  EXPECT_FALSE(c.Form.Visible());
}

}  // namespace
}  // namespace vandrel
