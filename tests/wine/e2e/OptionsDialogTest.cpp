// The real Vandrel.exe under Wine: the options dialog through its controls.
#include <gtest/gtest.h>

#include <string>

#include "ChildWindows.h"
#include "PopupHelper.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kBrowserMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kAutoComplete = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\AutoComplete";
constexpr WPARAM kOptionsMenuItem = 2009;
constexpr WPARAM kBlock100MenuItem = 2003;

std::optional<std::string> Text(const char* path, const char* name) {
  const auto raw = ReadRaw(HKEY_CURRENT_USER, path, name, View::Default);
  if (!raw || raw->type != REG_SZ) return std::nullopt;
  return std::string(raw->bytes.c_str());
}

std::size_t ValueCount(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
  DWORD count = 0;
  RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                   nullptr);
  RegCloseKey(key);
  return count;
}

// A control anywhere inside the dialog (its pages hold their own), by its caption.
HWND Control(HWND dialog, const std::string& caption) {
  return FindChildWindow(dialog, [&](HWND child) { return WindowTextOf(child) == caption; });
}

// The edit that follows a control in the page's order (the spin box after "&Limit ...").
HWND EditAfter(HWND control) {
  for (HWND next = GetWindow(control, GW_HWNDNEXT); next; next = GetWindow(next, GW_HWNDNEXT)) {
    char name[32] = {};
    GetClassNameA(next, name, sizeof name);
    if (lstrcmpiA(name, "Edit") == 0) return next;
  }
  return nullptr;
}

bool Checked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

class OptionsDialogTest : public VandrelTest {
 protected:
  void SetUp() override {
    VandrelTest::SetUp();
    DeleteKeyTree(HKEY_CURRENT_USER, kAutoComplete);
  }
  void TearDown() override {
    VandrelTest::TearDown();
    DeleteKeyTree(HKEY_CURRENT_USER, kAutoComplete);
  }

  // Starts the program and opens the dialog from the menu, as a user does.
  HWND Open() {
    vandrel = std::make_unique<VandrelProcess>();
    main = vandrel->WaitForMainWindow();
    if (!main) return nullptr;
    const HWND dialog = vandrel->WaitForWindowOfClass("TForm2");
    if (!dialog) return nullptr;
    PostMessageA(main, WM_COMMAND, kOptionsMenuItem, 0);
    return WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000) ? dialog : nullptr;
  }
  // Alt with the page's letter, through the dialog's own message loop.
  static void ChoosePage(HWND dialog, char letter) { PostMessageA(dialog, WM_SYSCHAR, letter, 1u << 29); }
  static void Press(HWND dialog, const char* caption) { PostMessageA(Control(dialog, caption), BM_CLICK, 0, 0); }
  // Hidden, and the handler that hid it has finished: the program's thread
  // answers a sent message only from its loop again.
  static bool Closed(HWND dialog) {
    return WaitUntil([&] { return !IsWindowVisible(dialog); }, 5000) &&
           SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
  }

  std::unique_ptr<VandrelProcess> vandrel;
  HWND main = nullptr;
};

TEST_F(OptionsDialogTest, OkWritesEverySettingTheStartUpEntryAndTheHomePage) {
  const HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  char caption[32] = {};
  GetWindowTextA(dialog, caption, sizeof caption);
  EXPECT_STREQ(caption, "Options");
  RECT client{};
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 284);
  EXPECT_EQ(client.bottom, 308);
  EXPECT_EQ(GetWindow(dialog, GW_OWNER), main);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }, 5000)) << "shown modally";

  Press(dialog, "&Limit max opened windows");
  // A text that is no number counts as the least value.
  SendMessageA(EditAfter(Control(dialog, "&Limit max opened windows")), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
  Press(dialog, "Let windows I open with a clic&k through");
  ChoosePage(dialog, 's');
  Press(dialog, "Set this &home page");
  const HWND homePage = EditAfter(Control(dialog, "Set this &home page"));
  SendMessageA(homePage, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("http://a.example/"));
  Press(dialog, "&OK");
  ASSERT_TRUE(Closed(dialog));

  // The 28 options, and TOD of the tip shown at the first start.
  EXPECT_EQ(ValueCount(kSettingsKey), 29u);
  EXPECT_EQ(Text(kSettingsKey, "LetClickedThrough"), "0");
  EXPECT_EQ(Text(kSettingsKey, "LimitEnabled"), "1");
  EXPECT_EQ(Text(kSettingsKey, "LimitWindows"), "1");
  EXPECT_EQ(Text(kSettingsKey, "SetHomePage"), "1");
  EXPECT_EQ(Text(kSettingsKey, "HomePageIE"), "http://a.example/");
  std::string runValue = "\"";
  runValue.append(VandrelPath()).append("\" Minimize");  // (GCC 12 warns falsely on a + chain here)
  EXPECT_EQ(Text(kRunKey, "Vandrel"), runValue);
  EXPECT_EQ(Text(kBrowserMain, "Start Page"), "http://a.example/");
  EXPECT_TRUE(IsWindowEnabled(main));
}

TEST_F(OptionsDialogTest, CancelLeavesBlock100ItsOneBrowserWindow) {
  Set("AutoStart", "1");
  vandrel = std::make_unique<VandrelProcess>();
  main = vandrel->WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const HWND dialog = vandrel->WaitForWindowOfClass("TForm2");
  ASSERT_NE(dialog, nullptr);
  PostMessageA(main, WM_COMMAND, kBlock100MenuItem, 0);
  const HWND told = vandrel->WaitForMessageBox();
  ASSERT_NE(told, nullptr);
  PostMessageA(told, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main) != FALSE; }, 5000));
  PostMessageA(main, WM_COMMAND, kOptionsMenuItem, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
  Press(dialog, "&Cancel");
  ASSERT_TRUE(Closed(dialog));

  const auto frame = [](const char* page) {
    return PopupWindowSpec{"IEFrame", std::string(page) + " - Microsoft Internet Explorer", true, true, true};
  };
  PopupHelper helper{frame("One"), frame("Two"), frame("Three")};  // Three on top
  EXPECT_TRUE(helper.WaitForCloses(2, 1));
  EXPECT_TRUE(helper.WaitForCloses(1, 1));
  EXPECT_EQ(helper.ClosesReceived(0), 0);
}

TEST_F(OptionsDialogTest, AStoredQuarterSecondShowsHalfASecondAndOkStoresIt) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "TimerInterval", "250"));
  const HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Checked(Control(dialog, "0.&5")));
  Press(dialog, "&OK");
  ASSERT_TRUE(Closed(dialog));
  EXPECT_EQ(Text(kSettingsKey, "TimerInterval"), "500");
}

TEST_F(OptionsDialogTest, DefaultsThenCancelKeepsTheStoredValuesButTheConfirmations) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "ExitConfirm", "0"));
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "AutoSuggest", "0"));
  const HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(kAutoComplete, "AutoSuggest"), "yes") << "written at start-up";
  ChoosePage(dialog, 'r');
  const HWND history = Control(dialog, "&History + history index.dat");
  Press(dialog, "&Defaults");
  HWND box = vandrel->WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(VandrelProcess::MessageBoxText(box), "Do you really want to reset all the settings to defaults?");
  EXPECT_EQ(GetWindow(box, GW_OWNER), dialog) << "the box belongs to the window the user is in";
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  // Auto suggest turned on again says so; then the closing message.
  for (const char* expected : {"Auto suggest is disabled. Change will take effect after opening of new Internet "
                               "Explorer window.",
                               "All options and confirmations are set to their default values."}) {
    ASSERT_TRUE(WaitUntil(
        [&] {
          return (box = vandrel->WaitForMessageBox(100)) != nullptr && VandrelProcess::MessageBoxText(box) == expected;
        },
        5000))
        << expected;
    SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  }
  EXPECT_TRUE(Checked(history));
  EXPECT_EQ(Text(kSettingsKey, "ExitConfirm"), "1");
  EXPECT_EQ(Text(kAutoComplete, "AutoSuggest"), "no");

  PostMessageA(dialog, WM_KEYDOWN, VK_ESCAPE, 0);  // Esc is Cancel
  ASSERT_TRUE(Closed(dialog));
  EXPECT_EQ(Text(kAutoComplete, "AutoSuggest"), "yes");
  EXPECT_EQ(Text(kSettingsKey, "History"), std::nullopt) << "only the confirmations were written";
  EXPECT_EQ(Text(kSettingsKey, "AutoSuggest"), "0");
}

}  // namespace
}  // namespace vandrel::test
