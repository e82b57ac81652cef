// The real Vandrel.exe under Wine: the block list dialog opened by the main
// window's command, driven through its controls and keys, and its password.
#include <gtest/gtest.h>

#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr int kBlockListCommand = 2004;  // the main menu's "&Block list"
constexpr int kListBox2 = 201, kImport = 203, kKeyword = 302, kAddKeyword = 303;
constexpr int kFileNameBox = 0x47C;  // the common open dialog's file name (cmb13)
constexpr int kPasswordEdit = 1000;

// The scrambled form the settings key stores a password in.
std::string Scrambled(const std::string& text) {
  std::string bytes;
  for (const char c : text) bytes += static_cast<char>(~(static_cast<unsigned char>(c) ^ 0xC5));
  return bytes;
}

class BlockListDialogTest : public VandrelTest {
 protected:
  HWND Open(VandrelProcess& vandrel) {
    PostMessageA(vandrel.WaitForMainWindow(), WM_COMMAND, kBlockListCommand, 0);
    HWND dialog = vandrel.WaitForWindowOfClass("TForm3");
    WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000);
    return IsWindowVisible(dialog) ? dialog : nullptr;
  }
  static LRESULT Count(HWND dialog) { return SendMessageA(GetDlgItem(dialog, kListBox2), LB_GETCOUNT, 0, 0); }
  // Answers the password prompt with `text`.
  static void AnswerPassword(VandrelProcess& vandrel, const std::string& text) {
    const HWND box = vandrel.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    SetDlgItemTextA(box, kPasswordEdit, text.c_str());
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
  }
};

TEST_F(BlockListDialogTest, AKeywordAddedInTheDialogIsWrittenWhenEscHidesIt) {
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"casino"})));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  const HWND dialog = Open(vandrel);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Count(dialog), 1);
  SetDlgItemTextA(dialog, kKeyword, "poker");
  SendMessageA(GetDlgItem(dialog, kAddKeyword), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Count(dialog) == 2; }, 3000));
  // Esc presses "&Hide": the dialog goes and the file is written.
  PostMessageA(GetDlgItem(dialog, kKeyword), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000));
  EXPECT_TRUE(WaitUntil([] { return ReadScrambledTitles() == std::vector<std::string>{"casino", "poker"}; }, 3000));
}

TEST_F(BlockListDialogTest, DelAsksAndRemovesTheSelectedEntry) {
  ASSERT_TRUE(WriteFileBytes(TitlesPath(), ScrambledTitles({"ads", "casino"})));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  const HWND dialog = Open(vandrel);
  ASSERT_NE(dialog, nullptr);
  const HWND list = GetDlgItem(dialog, kListBox2);
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kListBox2, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  PostMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
  const HWND question = vandrel.WaitForMessageBox();
  ASSERT_NE(question, nullptr);
  SendMessageA(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Count(dialog) == 1; }, 3000));
  PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitUntil([] { return ReadScrambledTitles() == std::vector<std::string>{"casino"}; }, 5000));
}

TEST_F(BlockListDialogTest, APasswordGuardsTheDialogAndTheMasterPasswordOpensIt) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "PassEnabled", "1"));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "Password", Scrambled("s3cret")));
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  PostMessageA(main, WM_COMMAND, kBlockListCommand, 0);
  AnswerPassword(vandrel, "S3CRET");  // passwords are compared exactly
  const HWND refusal = vandrel.WaitForMessageBox();
  ASSERT_NE(refusal, nullptr);
  EXPECT_EQ(VandrelProcess::MessageBoxText(refusal), "The password is not correct");
  SendMessageA(GetDlgItem(refusal, IDOK), BM_CLICK, 0, 0);
  const HWND dialog = vandrel.WaitForWindowOfClass("TForm3");
  // Once the box is gone and the program answers again, the command is over.
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(refusal); }, 5000));
  ASSERT_TRUE(vandrel.Answers());
  EXPECT_FALSE(IsWindowVisible(dialog));

  PostMessageA(main, WM_COMMAND, kBlockListCommand, 0);
  AnswerPassword(vandrel, "Wbn4Kx");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
}

// The common dialogs' library is loaded at the first dialog, not at start-up.
TEST_F(BlockListDialogTest, ImportReadsTheFileChosenInTheRealOpenDialog) {
  const std::string source = TitlesPath() + ".import.txt";
  ASSERT_TRUE(WriteFileBytes(source, "casino\r\npoker\r\n"));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  const HWND dialog = Open(vandrel);
  ASSERT_NE(dialog, nullptr);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kImport, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, kImport)));
  const HWND open = vandrel.WaitForDialog("Open");
  ASSERT_NE(open, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return GetDlgItem(open, kFileNameBox) != nullptr; }, 5000));
  SetDlgItemTextA(open, kFileNameBox, source.c_str());
  PostMessageA(open, WM_COMMAND, IDOK, 0);
  const HWND done = vandrel.WaitForMessageBox();
  ASSERT_NE(done, nullptr);
  SendMessageA(GetDlgItem(done, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Count(dialog) == 2; }, 3000));
  DeleteFileA(source.c_str());
}

}  // namespace
}  // namespace vandrel::test
