// The real Vandrel.exe under Wine: the tip of the first start, the about box
// and the address prompt of "Go to URL".
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "AddressRecorder.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"
#include "app/CommandIds.h"

namespace vandrel::test {
namespace {

std::string DialogText(HWND dialog, int id) {
  char text[512] = {};
  GetDlgItemTextA(dialog, id, text, sizeof(text));
  return text;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

std::optional<std::string> StoredTip() {
  const auto raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "TOD", View::Default);
  if (!raw || raw->type != REG_SZ) return std::nullopt;
  return std::string(raw->bytes.c_str());
}

// Destroyed, not only hidden: a closing box must not be taken for the next.
bool Gone(HWND window) {
  return WaitUntil([&] { return !IsWindow(window); }, 5000);
}

class HelpWindowsTest : public VandrelTest {};

TEST_F(HelpWindowsTest, TheTipComesBeforeTheMainWindowAtTheFirstStartOnly) {
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  RegDeleteValueA(key, "TOD");
  RegCloseKey(key);
  {
    VandrelProcess vandrel;
    const HWND tip = vandrel.WaitForDialog("Tip of the Day", 15000);
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(VandrelMainWindows().empty()) << "the main window came before the tip";
    // Found as soon as it exists: it takes its size before it is shown.
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tip) != FALSE; }, 5000));
    EXPECT_EQ(ClientSize(tip).cx, 490);
    EXPECT_EQ(ClientSize(tip).cy, 297);
    EXPECT_EQ(GetWindowLongA(tip, GWL_STYLE) & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
    EXPECT_EQ(DialogText(tip, 1101), "Vandrel");
    EXPECT_EQ(DialogText(tip, 1104),
              "You can add a title to the block list simply by clicking with a right mouse button on the Vandrel "
              "icon in the system tray (near the clock) and choosing the title you want to block.");
    EXPECT_EQ(DialogText(tip, IDOK), "&Ok");
    EXPECT_EQ(DialogText(tip, 1100), "Show &Help");
    EXPECT_EQ(StoredTip(), std::nullopt) << "written before the tip was closed";
    // The close box, not "&Ok": TOD is written however the tip is closed.
    PostMessageA(tip, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_EQ(StoredTip(), "1");
    EXPECT_TRUE(vandrel.Quit());
  }
  VandrelProcess again;
  ASSERT_NE(again.WaitForMainWindow(), nullptr);
  EXPECT_EQ(again.WaitForDialog("Tip of the Day", 500), nullptr);
}

TEST_F(HelpWindowsTest, TheAboutBoxShowsTheProgramAndTheMakerOverTheMainWindow) {
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  // Made at start-up with the other windows, hidden until asked for.
  const HWND about = vandrel.WaitForDialog("About Vandrel", 5000);
  ASSERT_NE(about, nullptr) << "the about box exists before About is clicked";
  EXPECT_FALSE(IsWindowVisible(about));
  EXPECT_EQ(GetWindow(about, GW_OWNER), main);
  PostMessageA(main, WM_COMMAND, kCmdAbout1, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(about) != FALSE; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main); }, 5000)) << "shown modally";
  EXPECT_EQ(ClientSize(about).cx, 402);
  EXPECT_EQ(ClientSize(about).cy, 154);
  EXPECT_EQ(DialogText(about, 1202), "Vandrel v7.0.5");
  EXPECT_EQ(DialogText(about, 1204), "For Internet Explorer 5.0, 5.5, 6.0");
  EXPECT_EQ(DialogText(about, 1206), "Home page:");
  EXPECT_EQ(DialogText(about, 1205), "http://www.korvane.example/");
  EXPECT_EQ(DialogText(about, 1207), "E-mail:");
  EXPECT_EQ(DialogText(about, 1203), "support@korvane.example");
  // Both bold labels stand in the middle of the panel.
  RECT panel{}, version{}, browsers{};
  GetWindowRect(GetDlgItem(about, 1200), &panel);
  GetWindowRect(GetDlgItem(about, 1202), &version);
  GetWindowRect(GetDlgItem(about, 1204), &browsers);
  EXPECT_LE(std::abs((version.left - panel.left) - (panel.right - version.right)), 1);
  EXPECT_LE(std::abs((browsers.left - panel.left) - (panel.right - browsers.right)), 1);
  PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about) && IsWindowEnabled(main); }, 5000));
  EXPECT_TRUE(IsWindow(about)) << "it lives until exit";
  // Shown again on the next request, the same window.
  PostMessageA(main, WM_COMMAND, kCmdAbout1, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(about) && !IsWindowEnabled(main); }, 5000));
  PostMessageA(about, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(about) && IsWindowEnabled(main); }, 5000));
}

TEST_F(HelpWindowsTest, GoToUrlHandsAnAddressOfMoreThanTenCharactersToTheShell) {
  const AddressRecorder recorder;
  ASSERT_TRUE(recorder.Ready());
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);

  const auto typeInPrompt = [&](const char* address) {
    // The toolbar's "&Go to URL", as the toolbar reports a click.
    const HWND toolbar = FindWindowExA(main, nullptr, TOOLBARCLASSNAMEA, nullptr);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdGo, BN_CLICKED), reinterpret_cast<LPARAM>(toolbar));
    const HWND prompt = vandrel.WaitForMessageBox();
    if (!prompt) return HWND{};
    // Not before the box has offered its own text, which would replace ours.
    if (!WaitUntil([&] { return IsWindowVisible(prompt) && DialogText(prompt, 1000) == "http://"; }, 5000)) {
      return HWND{};
    }
    const HWND edit = GetDlgItem(prompt, 1000);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address));
    return prompt;
  };

  const HWND prompt = typeInPrompt("vtest:abcd");  // ten characters
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(GetWindow(prompt, GW_OWNER), main);
  RECT outer{};
  GetWindowRect(prompt, &outer);
  EXPECT_EQ(outer.right - outer.left, 280);
  EXPECT_EQ(outer.bottom - outer.top, 180);
  EXPECT_EQ(DialogText(prompt, 1002),
            "If you use Go instead of typing a url\r\nin address field in your browser it will\r\n"
            "not be shown in the dropdown menu\r\nof the address bar in your browser.");
  PostMessageA(GetDlgItem(prompt, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(Gone(prompt));

  const HWND second = typeInPrompt("vtest:abcde");  // eleven
  ASSERT_NE(second, nullptr);
  PostMessageA(GetDlgItem(second, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(Gone(second));
  ASSERT_TRUE(WaitUntil([&] { return recorder.Opened().has_value(); }, 10000)) << "nothing was opened";
  // Only the second address reached the shell, as it was typed.
  EXPECT_EQ(recorder.Opened(), "vtest:abcde\n");
}

TEST_F(HelpWindowsTest, ThePromptOffersHttpAllSelected) {
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, kCmdN15Search2, 0);
  const HWND prompt = vandrel.WaitForMessageBox();
  ASSERT_NE(prompt, nullptr);
  const HWND edit = GetDlgItem(prompt, 1000);
  EXPECT_EQ(DialogText(prompt, 1000), "http://");
  DWORD start = 1, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 7u);
  EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & ES_PASSWORD, 0);
  PostMessageA(GetDlgItem(prompt, IDCANCEL), BM_CLICK, 0, 0);
  EXPECT_TRUE(Gone(prompt));
}

}  // namespace
}  // namespace vandrel::test
