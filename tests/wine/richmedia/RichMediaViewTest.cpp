// The rich-media window's real view under Wine: its layout and captions,
// clicks that reach the registry through the real adapter, the monitor
// picture, the keys of the modal loop and the message boxes.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ChildWindows.h"
#include "RegistryReset.h"
#include "TestForm.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32Registry.h"
#include "richmedia/win32/RichMediaView.h"
#include "settings/SettingsKey.h"
#include "ui/memory/ScriptedPrompts.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/Win32Prompts.h"

namespace vandrel::test {
namespace {

const char* const kSwitchCaptions[] = {"Display inline &videos", "Play animated &gifs", "Background &sounds",
                                       "&Macromedia Shockwave && Flash Player", "Accept &JAVA applets"};

void DeleteValue(HKEY root, const char* path, const std::string& name) {
  UniqueHkey key;
  if (RegOpenKeyExA(root, path, 0, KEY_SET_VALUE, key.put()) == ERROR_SUCCESS) {
    RegDeleteValueA(key.get(), name.c_str());
  }
}

// Puts back what the window writes, before the form is made.
struct CleanRegistry {
  CleanRegistry() {
    for (const char* player : {kFlashPlayerKey, kShockwavePlayerKey}) {
      AllowAllAccess(HKEY_LOCAL_MACHINE, player);
      DeleteKeyTree(HKEY_LOCAL_MACHINE, player);
      DeleteKeyTree(HKEY_LOCAL_MACHINE, player, View::Wow64);
    }
    for (const char* name : {kInlineVideosValue, kAnimationsValue, kBackgroundSoundsValue}) {
      DeleteValue(HKEY_CURRENT_USER, kBrowserMainKey, name);
    }
    DeleteValue(HKEY_CURRENT_USER, kInternetZoneKey, kJavaPermissionsValue);
    for (int tag = 1; tag <= kSwitchCount; ++tag) DeleteValue(HKEY_CURRENT_USER, kSettingsKeyPath, std::to_string(tag));
  }
  ~CleanRegistry() { AllowAllAccess(HKEY_LOCAL_MACHINE, kShockwavePlayerKey); }
};

std::optional<std::string> StringValue(const char* name) {
  const auto raw = ReadRaw(HKEY_CURRENT_USER, kBrowserMainKey, name, View::Default);
  if (!raw || raw->type != REG_SZ) return std::nullopt;
  return std::string(raw->bytes.c_str());  // up to the terminating null
}

std::optional<DWORD> DwordValue(HKEY root, const char* path, const std::string& name, View view) {
  const auto raw = ReadRaw(root, path, name, view);
  if (!raw || raw->type != REG_DWORD || raw->bytes.size() != sizeof(DWORD)) return std::nullopt;
  DWORD number = 0;
  std::memcpy(&number, raw->bytes.data(), sizeof(number));
  return number;
}

std::optional<DWORD> Stored(int tag) {
  return DwordValue(HKEY_CURRENT_USER, kSettingsKeyPath, std::to_string(tag), View::Default);
}

std::optional<DWORD> PlayerFlags(const char* player, View view = View::Wow32) {
  return DwordValue(HKEY_LOCAL_MACHINE, player, kCompatibilityFlagsValue, view);
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

template <typename PromptsType>
class RichMediaViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
  RichMediaViewTest() { view.Create(GetModuleHandleA(nullptr)); }

  HWND ByCaption(const std::string& caption) const {
    for (const HWND child : ChildWindows(view.Handle())) {
      if (WindowText(child) == caption) return child;
    }
    ADD_FAILURE() << "no control captioned " << caption;
    return nullptr;
  }
  // The radio button `item` framed by the group box `group`.
  HWND ItemOf(const std::string& group, const std::string& item) const {
    const RECT frame = RectInParent(ByCaption(group));
    for (const HWND child : ChildWindows(view.Handle())) {
      if (WindowText(child) == item && Inside(RectInParent(child), frame)) return child;
    }
    ADD_FAILURE() << "no item " << item << " in " << group;
    return nullptr;
  }
  static void Click(HWND control) { SendMessageA(control, BM_CLICK, 0, 0); }
  static bool Checked(HWND control) { return SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  HICON ShownPicture() const {
    for (const HWND child : ChildWindows(view.Handle())) {
      if (ClassNameOf(child) == "Static") return reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    }
    return nullptr;
  }

  CleanRegistry clean;
  Win32Registry registry;
  Settings settings;
  PromptsType prompts;
  TW42VideoBlocker form{registry, settings, prompts};
  RichMediaView view{form, prompts};
};

using RichMediaWindow = RichMediaViewTest<ScriptedPrompts>;
using RichMediaBoxes = RichMediaViewTest<Win32Prompts>;

TEST_F(RichMediaWindow, IsCreatedHiddenFixedSizedAndCentredWithItsCaption) {
  EXPECT_FALSE(IsWindowVisible(view.Handle()));
  EXPECT_EQ(ClassNameOf(view.Handle()), "TW42VideoBlocker");
  EXPECT_EQ(WindowText(view.Handle()), "Vandrel");
  RECT client;
  GetClientRect(view.Handle(), &client);
  EXPECT_EQ(client.right, 402);
  EXPECT_EQ(client.bottom, 241);
  const LONG style = GetWindowLongA(view.Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  // Its single border draws an icon in the caption: the program's, not the system's generic one.
  EXPECT_FALSE(GetWindowLongA(view.Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  EXPECT_NE(GetClassLongPtrA(view.Handle(), GCLP_HICON), 0u);
  RECT outer;
  GetWindowRect(view.Handle(), &outer);
  EXPECT_NEAR((outer.left + outer.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((outer.top + outer.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(RichMediaWindow, ShowsEveryCaptionWithYesSelectedAndNoProfile) {
  view.Show();
  std::vector<std::string> captions;
  for (const HWND child : ChildWindows(view.Handle())) {
    if (ClassNameOf(child) == "Button") captions.push_back(WindowText(child));
  }
  std::vector<std::string> expected = {
      "Type of advertizing:", "Global s&ettings", "Yes to all", "No to all", "Defaults", "M&onitor", "&Close"};
  for (const char* caption : kSwitchCaptions) {
    expected.insert(expected.end(), {caption, "Yes", "No"});
  }
  std::sort(captions.begin(), captions.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(captions, expected);
  for (const char* caption : kSwitchCaptions) {
    EXPECT_TRUE(Checked(ItemOf(caption, "Yes"))) << caption;
    EXPECT_FALSE(Checked(ItemOf(caption, "No"))) << caption;
  }
  for (const char* profile : {"Yes to all", "No to all", "Defaults"}) {
    EXPECT_FALSE(Checked(ItemOf("Global s&ettings", profile))) << profile;
  }
  const HWND close = ByCaption("&Close");
  EXPECT_EQ(GetDlgCtrlID(close), IDCANCEL);
  EXPECT_EQ(GetWindowLongA(close, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_NE(ShownPicture(), nullptr);
}

TEST_F(RichMediaWindow, LaysTheSwitchesOutInTwoColumnsAboveTheProfiles) {
  view.Show();
  const RECT frame = RectInParent(ByCaption("Type of advertizing:"));
  std::vector<RECT> switches;
  for (const char* caption : kSwitchCaptions) {
    switches.push_back(RectInParent(ByCaption(caption)));
    EXPECT_TRUE(Inside(switches.back(), frame)) << caption;
  }
  EXPECT_EQ(switches[0].top, switches[1].top);
  EXPECT_GE(switches[1].left, switches[0].right);
  EXPECT_EQ(switches[2].left, switches[0].left);
  EXPECT_GE(switches[2].top, switches[0].bottom);
  EXPECT_EQ(switches[3].left, switches[1].left);
  EXPECT_EQ(switches[4].left, switches[0].left);
  EXPECT_GE(switches[4].top, switches[2].bottom);
  const RECT profiles = RectInParent(ByCaption("Global s&ettings"));
  EXPECT_GE(profiles.top, frame.bottom);
  const RECT yes = RectInParent(ItemOf("Global s&ettings", "Yes to all"));
  const RECT no = RectInParent(ItemOf("Global s&ettings", "No to all"));
  const RECT defaults = RectInParent(ItemOf("Global s&ettings", "Defaults"));
  EXPECT_EQ(yes.top, no.top);
  EXPECT_EQ(no.top, defaults.top);
  EXPECT_GE(no.left, yes.right);
  EXPECT_GE(defaults.left, no.right);
}

TEST_F(RichMediaWindow, ClickingARadioButtonWritesTheBrowserValueAndTheStoredChoice) {
  view.Show();
  Click(ItemOf(kSwitchCaptions[0], "No"));
  EXPECT_EQ(StringValue(kInlineVideosValue), "No");
  EXPECT_EQ(Stored(1), 1u);
  EXPECT_FALSE(Checked(ItemOf(kSwitchCaptions[0], "Yes")));

  Click(ItemOf(kSwitchCaptions[3], "No"));
  EXPECT_EQ(PlayerFlags(kFlashPlayerKey), 0x400u);
  EXPECT_EQ(PlayerFlags(kShockwavePlayerKey), 0x400u);
  EXPECT_FALSE(PlayerFlags(kFlashPlayerKey, View::Wow64)) << "the browser reads the 32-bit view";
  Click(ItemOf(kSwitchCaptions[3], "Yes"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kFlashPlayerKey, View::Wow32));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kShockwavePlayerKey, View::Wow32));
  EXPECT_EQ(Stored(4), 0u);
}

TEST_F(RichMediaWindow, AProfileChosenByTheUserMovesEverySwitch) {
  view.Show();
  Click(ItemOf("Global s&ettings", "No to all"));
  for (const char* caption : kSwitchCaptions) EXPECT_TRUE(Checked(ItemOf(caption, "No"))) << caption;
  EXPECT_EQ(StringValue(kBackgroundSoundsValue), "No");
  EXPECT_EQ(DwordValue(HKEY_CURRENT_USER, kInternetZoneKey, kJavaPermissionsValue, View::Default), 0u);
}

TEST_F(RichMediaWindow, TheMonitorButtonTogglesItsCaptionAndPicture) {
  view.Show();
  const HWND monitor = ByCaption("M&onitor");
  const HICON off = ShownPicture();
  Click(monitor);
  EXPECT_EQ(WindowText(monitor), "Stop m&onitor");
  const HICON on = ShownPicture();
  EXPECT_NE(on, nullptr);
  EXPECT_NE(on, off);
  EXPECT_EQ(StringValue(kInlineVideosValue), "No") << "a pass ran at once";
  Click(monitor);
  EXPECT_EQ(WindowText(monitor), "M&onitor");
  EXPECT_EQ(ShownPicture(), off);
}

TEST_F(RichMediaWindow, TheCloseBoxHidesWithoutAMessage) {
  view.Show();
  EXPECT_TRUE(IsWindowVisible(view.Handle()));
  SendMessageA(view.Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(view.Handle()));
  EXPECT_FALSE(IsWindowVisible(view.Handle()));
  EXPECT_TRUE(prompts.Messages().empty());
}

TEST_F(RichMediaWindow, EscAndEnterInTheModalLoopPressClose) {
  for (const WPARAM key : {VK_ESCAPE, VK_RETURN}) {
    view.Show();
    PressKey(view.Handle(), key);
    // Should the key be lost, the close box ends the loop (without a message).
    std::atomic<bool> done = false;
    std::thread watchdog([&] {
      for (int waited = 0; waited < 5000 && !done; waited += 10) Sleep(10);
      if (!done) PostMessageA(view.Handle(), WM_CLOSE, 0, 0);
    });
    const std::size_t before = prompts.Messages().size();
    view.ShowModal(nullptr);
    done = true;
    watchdog.join();
    EXPECT_FALSE(IsWindowVisible(view.Handle()));
    ASSERT_EQ(prompts.Messages().size(), before + 1) << "key " << key;
    EXPECT_EQ(prompts.Messages().back().text, kBrowserRestartNotice);
  }
}

// The text of a message box's message.
std::string BoxText(HWND box) { return WindowText(GetDlgItem(box, 0xFFFF)); }

TEST_F(RichMediaBoxes, CloseShowsTheNoticeThenHides) {
  view.Show();
  std::string text;
  {
    BoxDriver driver([&](HWND box) {
      text = BoxText(box);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Click(ByCaption("&Close"));
    EXPECT_TRUE(driver.Found());
  }
  EXPECT_EQ(text, kBrowserRestartNotice);
  EXPECT_FALSE(IsWindowVisible(view.Handle()));
}

TEST_F(RichMediaBoxes, ARefusedMachineWriteShowsTheErrorAndKeepsWhatWasWritten) {
  ASSERT_TRUE(DenyAllAccess(HKEY_LOCAL_MACHINE, kShockwavePlayerKey));
  view.Show();
  std::string text;
  {
    BoxDriver driver([&](HWND box) {
      text = BoxText(box);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    Click(ItemOf(kSwitchCaptions[3], "No"));
    EXPECT_TRUE(driver.Found());
  }
  EXPECT_EQ(text, "Failed to set data for 'Compatibility Flags'");
  EXPECT_EQ(Stored(4), 1u);
  EXPECT_EQ(PlayerFlags(kFlashPlayerKey), 0x400u);
  EXPECT_TRUE(IsWindowVisible(view.Handle()));
}

}  // namespace
}  // namespace vandrel::test
