#include "blocklist/BlockListPassword.h"

#include <gtest/gtest.h>

#include "DialogDoubles.h"

#include "blocklist/CryptString.h"
#include "blocklist/TitleSuffix.h"
#include "blocklist/TForm3.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

using Lines = std::vector<std::string>;

// The block list command against a dialog whose modal showing runs its
// show handling and, when the test says so, closes it again.
class BlockListPasswordTest : public ::testing::Test, protected DialogDoubles {
 protected:
  BlockListPasswordTest() {
    dialog.showModal = [this] {
      ++openings;
      dialog.Form.SetVisible(true);
      dialog.FormShow();
      if (onShown) onShown();
      if (closeAfterShowing) dialog.MinimizeClick();
    };
  }
  void Protect(const std::string& password) {
    key.WriteString(kPassEnabledValue, "1");
    key.WriteString(kPasswordValue, CryptString(password));
  }
  std::optional<std::string> Stored(const char* name) { return key.ReadText(name); }
  // Ticks the box in the shown dialog, types `password` and closes it.
  void SetThroughDialog(const std::string& password) {
    onShown = [this, password] {
      frame.PassEnabled.UserToggle();
      frame.Password.UserTyped(password);
    };
    dialog.AddtotheBlackList1Click();
    onShown = nullptr;
  }

  SettingsKey key{registry};
  BlockListPassword& frame = dialog.Protection;
  int openings = 0;
  bool closeAfterShowing = true;
  std::function<void()> onShown;
};

TEST_F(BlockListPasswordTest, TheRightPasswordOpensOnceAndThenNoPromptForTheRun) {
  Protect("Secret");
  prompts.ScriptPassword("secret");
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(openings, 0);
  EXPECT_EQ(Shown(), Lines{kPasswordNotCorrect});
  prompts.ScriptPassword("Secret");
  Lines fieldWhenShown;
  onShown = [&] { fieldWhenShown.push_back(frame.Password.Text()); };
  dialog.AddtotheBlackList1Click();
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(openings, 2);
  EXPECT_EQ(prompts.PasswordPrompts(), (Lines{kEnterPassword, kEnterPassword}));
  // The showing emptied the field and closing with it empty kept the password.
  EXPECT_EQ(fieldWhenShown, (Lines{"", ""}));
  EXPECT_EQ(Stored(kPasswordValue), CryptString("Secret"));
  EXPECT_EQ(Stored(kPassEnabledValue), "1");
  EXPECT_TRUE(frame.PassEnabled.Checked());
}

TEST_F(BlockListPasswordTest, ACancelIsRefusedAndTheMasterPasswordOpensWhateverIsStored) {
  Protect("Secret");
  prompts.ScriptPassword(std::nullopt);
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(openings, 0);
  EXPECT_EQ(Shown(), Lines{kPasswordNotCorrect});
  prompts.ScriptPassword(kMasterPassword);
  dialog.AddtotheBlackList1Click();
  Protect("Other");
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(openings, 2);
  EXPECT_EQ(prompts.PasswordPrompts().size(), 2u);
  EXPECT_EQ(Stored(kPasswordValue), CryptString("Other"));
}

TEST_F(BlockListPasswordTest, WithoutProtectionOrWithAnEmptyStoredPasswordNoPrompt) {
  closeAfterShowing = false;
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(openings, 1);
  EXPECT_FALSE(frame.Password.Visible());
  dialog.AddtotheBlackList1Click();  // visible already: not shown again
  EXPECT_EQ(openings, 1);
  dialog.MinimizeClick();
  key.WriteString(kPassEnabledValue, "1");
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(openings, 2);
  EXPECT_TRUE(prompts.PasswordPrompts().empty());
  EXPECT_TRUE(Shown().empty());
}

TEST_F(BlockListPasswordTest, SaveStoresScrambledDisablesOrAsksForAPassword) {
  frame.PassEnabled.UserToggle();
  EXPECT_TRUE(frame.Password.Visible() && frame.Password.Enabled() && frame.Label1.Visible());
  frame.Save.Click();
  EXPECT_FALSE(Stored(kPasswordValue));
  frame.Password.UserTyped("Secret");
  frame.Save.Click();
  EXPECT_EQ(Stored(kPassEnabledValue), "1");
  EXPECT_EQ(Stored(kPasswordValue), CryptString("Secret"));
  EXPECT_EQ(Stored(kPasswordValue)->size(), 6u);
  frame.PassEnabled.UserToggle();
  EXPECT_FALSE(frame.Password.Visible() || frame.Password.Enabled() || frame.Label1.Visible());
  EXPECT_EQ(frame.Password.Text(), "Secret");  // unticking keeps the text
  frame.Save.Click();
  EXPECT_EQ(Stored(kPassEnabledValue), "0");
  EXPECT_EQ(Stored(kPasswordValue), "");
  EXPECT_EQ(Shown(), (Lines{kPasswordMissing, kPasswordSaved, kPasswordDisabled}));
}

TEST_F(BlockListPasswordTest, ClosingStoresTheTypedPasswordSilentlyAndOnlyUntickingDropsIt) {
  SetThroughDialog("Typed");
  EXPECT_EQ(Stored(kPasswordValue), CryptString("Typed"));
  EXPECT_TRUE(Shown().empty());
  prompts.ScriptPassword("Typed");
  onShown = [this] { frame.PassEnabled.UserToggle(); };
  dialog.AddtotheBlackList1Click();
  EXPECT_EQ(Stored(kPassEnabledValue), "0");
  EXPECT_EQ(Stored(kPasswordValue), "");
}

TEST_F(BlockListPasswordTest, ASecondCommandOrATrayPressLeavesTheOpenDialogsFrameAsTheUserSetIt) {
  int broughtForward = 0;
  dialog.Form.activate = [&] { ++broughtForward; };
  const auto editThenCommandAgain = [&](const std::function<void()>& edit) {
    onShown = [&] {
      edit();
      dialog.AddtotheBlackList1Click();
      dialog.RefreshTitles();  // what a press on the tray icon refreshes
    };
    dialog.AddtotheBlackList1Click();
  };
  editThenCommandAgain([this] {
    frame.PassEnabled.UserToggle();
    frame.Password.UserTyped("Typed");
  });
  EXPECT_EQ(Stored(kPasswordValue), CryptString("Typed"));
  prompts.ScriptPassword("Typed");
  editThenCommandAgain([this] { frame.PassEnabled.UserToggle(); });
  EXPECT_EQ(Stored(kPassEnabledValue), "0");
  EXPECT_EQ(broughtForward, 2);
  EXPECT_EQ(openings, 2);
  EXPECT_EQ(prompts.PasswordPrompts().size(), 1u);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(BlockListPasswordTest, ShortLongAndLineBreakingPasswordsSurviveWhole) {
  // '7' scrambles to CR and '0' to LF.
  for (const std::string& password : {std::string("x"), std::string(200, 'p'), std::string("a7b0c")}) {
    SetThroughDialog(password);
    ASSERT_EQ(Stored(kPasswordValue), CryptString(password));
    prompts.ScriptPassword(password);
    dialog.AddtotheBlackList1Click();
    EXPECT_EQ(frame.EnteredPassword(), password);
    onShown = [this] { frame.PassEnabled.UserToggle(); };
    dialog.AddtotheBlackList1Click();
    onShown = nullptr;
  }
  EXPECT_EQ(openings, 9);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(BlockListPasswordTest, APasswordThatWouldBeCutIsRefusedAndTheStoredOneKept) {
  ASSERT_EQ(CryptString(":"), std::string(1, '\0'));
  Protect("Secret");
  prompts.ScriptPassword("Secret");
  SetThroughDialog("ab:cd");  // the toggle unticks, so tick again
  EXPECT_EQ(Stored(kPassEnabledValue), "0");
  frame.PassEnabled.UserToggle();
  frame.Password.UserTyped("ab:cd");
  frame.Save.Click();
  dialog.MinimizeClick();
  EXPECT_EQ(Stored(kPassEnabledValue), "0");
  EXPECT_EQ(Stored(kPasswordValue), "");
  EXPECT_EQ(Shown(), (Lines{kPasswordUnstorable, kPasswordUnstorable}));
}

}  // namespace
}  // namespace vandrel
