// The real Vandrel.exe under Wine: its rich-media window and monitor.
#include <gtest/gtest.h>

#include "RegistryReset.h"
#include "app/CommandIds.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr const char* kBrowserMain = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kFlash =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";
constexpr const char* kShockwave =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\{166B1BCA-3F9C-11CF-8075-444553540000}";
constexpr const char* kInternetZone = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";
// The radio buttons of switch n are 300 + 10 n + 1 ("Yes") and + 2 ("No").
constexpr int NoButtonOf(int tag) { return 300 + 10 * tag + 2; }

std::optional<std::string> Text(HKEY root, const char* path, const char* name) {
  const auto raw = ReadRaw(root, path, name, DefaultViewOf(root));
  if (!raw || raw->type != REG_SZ) return std::nullopt;
  return std::string(raw->bytes.c_str());
}

std::optional<DWORD> Dword(HKEY root, const char* path, const char* name, View view) {
  const auto raw = ReadRaw(root, path, name, view);
  if (!raw || raw->type != REG_DWORD || raw->bytes.size() != 4) return std::nullopt;
  return *reinterpret_cast<const DWORD*>(raw->bytes.data());
}

class RichMediaTest : public VandrelTest {
 protected:
  // Opened as the user opens it, from the main window's menu; the window
  // once it is on the screen.
  static HWND ShowRichMediaWindow(VandrelProcess& vandrel) {
    const HWND main = vandrel.WaitForMainWindow();
    const HWND window = vandrel.WaitForWindowOfClass("TW42VideoBlocker");
    if (!main || !window) return nullptr;
    PostMessageA(main, WM_COMMAND, kCmdVideoAds1, 0);
    return WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000) ? window : nullptr;
  }
};

TEST_F(RichMediaTest, BanSelectedRunsTheMonitorAtStartUpWithItsDefaults) {
  ASSERT_TRUE(WriteString(HKEY_CURRENT_USER, kSettingsKey, "BanSelected", "1"));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  // The zone's value is the pass's last write.
  ASSERT_TRUE(WaitUntil([] { return Dword(HKEY_CURRENT_USER, kInternetZone, "1C00", View::Default) == 0u; }, 5000));
  EXPECT_EQ(Text(HKEY_CURRENT_USER, kBrowserMain, "Display Inline Videos"), "No");
  EXPECT_EQ(Text(HKEY_CURRENT_USER, kBrowserMain, "Play_Animations"), std::nullopt);
  EXPECT_EQ(Dword(HKEY_LOCAL_MACHINE, kFlash, "Compatibility Flags", View::Wow32), 0x400u);
  EXPECT_EQ(Dword(HKEY_LOCAL_MACHINE, kShockwave, "Compatibility Flags", View::Wow32), 0x400u);
  EXPECT_EQ(Dword(HKEY_LOCAL_MACHINE, kFlash, "Compatibility Flags", View::Wow64), std::nullopt);
}

TEST_F(RichMediaTest, AStoredNoIsAppliedWhenTheWindowIsCreated) {
  ASSERT_TRUE(WriteDword(HKEY_CURRENT_USER, kSettingsKey, "2", 1));
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  EXPECT_TRUE(WaitUntil([] { return Text(HKEY_CURRENT_USER, kBrowserMain, "Play_Animations") == "No"; }, 5000));
  EXPECT_EQ(Text(HKEY_CURRENT_USER, kBrowserMain, "Display Inline Videos"), std::nullopt);
  const HWND window = ShowRichMediaWindow(vandrel);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SendMessageA(GetDlgItem(window, NoButtonOf(2)), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(RichMediaTest, TheWindowIsChangedAndClosedThroughItsControls) {
  VandrelProcess vandrel;
  const HWND window = ShowRichMediaWindow(vandrel);
  ASSERT_NE(window, nullptr);
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof(caption));
  EXPECT_STREQ(caption, "Vandrel");

  SendMessageA(GetDlgItem(window, NoButtonOf(5)), BM_CLICK, 0, 0);
  EXPECT_EQ(Dword(HKEY_CURRENT_USER, kInternetZone, "1C00", View::Default), 0u);
  EXPECT_EQ(Dword(HKEY_CURRENT_USER, kSettingsKey, "5", View::Default), 1u);

  PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
  const HWND box = vandrel.WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(VandrelProcess::MessageBoxText(box),
            "Any changes that you make will take an effect\r\nthe next time you open a new browser window or "
            "restart\r\nInternet Explorer (close all opened windows).");
  SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000));
}

}  // namespace
}  // namespace vandrel::test
