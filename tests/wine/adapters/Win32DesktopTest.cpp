// Win32Desktop against the windows of popup_helper.exe, another process.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PopupHelper.h"
#include "WaitUntil.h"
#include "platform/win32/Win32Desktop.h"

namespace vandrel {
namespace {

using test::PopupHelper;
using test::PopupWindowSpec;

WindowHandle HandleOf(HWND window) { return reinterpret_cast<WindowHandle>(window); }

// The listed windows that belong to the helper, in listed order.
std::vector<WindowHandle> HelperWindowsIn(const std::vector<WindowHandle>& listed, const PopupHelper& helper) {
  std::vector<WindowHandle> own;
  for (const WindowHandle window : listed) {
    DWORD processId = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
    if (processId == helper.process().Id()) own.push_back(window);
  }
  return own;
}

class Win32DesktopTest : public ::testing::Test {
 protected:
  Win32Desktop desktop;
};

TEST_F(Win32DesktopTest, ListsVisibleWindowsTopmostFirstWithoutHiddenOnes) {
  const PopupHelper helper({{.className = "DeskFirst", .title = "first"},
                            {.className = "DeskSecond", .title = "second"},
                            {.className = "DeskHidden", .title = "hidden", .visible = false},
                            {.className = "DeskLast", .title = "last"}});
  std::vector<WindowHandle> listed = {12345};  // stale content is replaced
  desktop.ListVisibleWindows(listed);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), WindowHandle{12345}), 0);
  EXPECT_EQ(
      HelperWindowsIn(listed, helper),
      (std::vector<WindowHandle>{HandleOf(helper.Window(3)), HandleOf(helper.Window(1)), HandleOf(helper.Window(0))}));
}

TEST_F(Win32DesktopTest, ReadsTitleAndClassName) {
  const PopupHelper helper({{.className = "DeskNamed", .title = "Page - Microsoft Internet Explorer"}});
  std::string title;
  ClassText className;
  desktop.ReadTitle(HandleOf(helper.Window(0)), title);
  desktop.ReadClassName(HandleOf(helper.Window(0)), className);
  EXPECT_EQ(title, "Page - Microsoft Internet Explorer");
  EXPECT_EQ(className.view(), "DeskNamed");
}

// A title is read whole however long, also into storage a shorter one left;
// a class name is cut to its buffer.
TEST_F(Win32DesktopTest, TitlesAreReadWholeAndClassNamesCutToTheirBuffer) {
  const std::string longTitle(3000, 't');
  const std::string longClass(200, 'c');
  const PopupHelper helper(
      {{.className = longClass, .title = longTitle}, {.className = "DeskShort", .title = "short"}});
  std::string title;
  ClassText className;
  for (const std::size_t window : {0, 1, 0}) {
    desktop.ReadTitle(HandleOf(helper.Window(window)), title);
    EXPECT_EQ(title, window == 0 ? longTitle : "short");
  }
  desktop.ReadClassName(HandleOf(helper.Window(0)), className);
  EXPECT_EQ(className.view(), longClass.substr(0, 127));
}

TEST_F(Win32DesktopTest, AGoneWindowReadsEmptyWithNoStyle) {
  HWND gone = nullptr;
  {
    const PopupHelper helper({{.className = "DeskGone", .title = "gone"}});
    gone = helper.Window(0);
  }
  std::string title = "stale";
  ClassText className;
  desktop.ReadTitle(HandleOf(gone), title);
  desktop.ReadClassName(HandleOf(gone), className);
  EXPECT_TRUE(title.empty());
  EXPECT_TRUE(className.empty());
  EXPECT_EQ(desktop.ReadStyle(HandleOf(gone)), 0u);
}

TEST_F(Win32DesktopTest, StyleShowsTheMaximiseBox) {
  const PopupHelper helper({{.className = "DeskWithBox", .title = "with", .maximizeBox = true},
                            {.className = "DeskWithoutBox", .title = "without"}});
  EXPECT_NE(desktop.ReadStyle(HandleOf(helper.Window(0))) & kWsMaximizeBox, 0u);
  EXPECT_EQ(desktop.ReadStyle(HandleOf(helper.Window(1))) & kWsMaximizeBox, 0u);
  EXPECT_NE(desktop.ReadStyle(HandleOf(helper.Window(1))) & WS_VISIBLE, 0u);
}

TEST_F(Win32DesktopTest, PostedClosesReachTheOtherProcess) {
  const PopupHelper helper({{.className = "DeskStubborn", .title = "stubborn", .ignoresClose = true},
                            {.className = "DeskCloses", .title = "closes"}});
  ASSERT_TRUE(desktop.Post(HandleOf(helper.Window(0)), kWmClose, 0, 0));
  ASSERT_TRUE(desktop.Post(HandleOf(helper.Window(0)), kWmClose, 0, 0));
  ASSERT_TRUE(desktop.Post(HandleOf(helper.Window(1)), kWmClose, 0, 0));
  EXPECT_TRUE(helper.WaitForCloses(0, 2));
  EXPECT_TRUE(helper.WaitForCloses(1, 1));
  EXPECT_TRUE(test::WaitUntil([&] { return !IsWindow(helper.Window(1)); }, 5000));
  EXPECT_TRUE(IsWindow(helper.Window(0)));
  EXPECT_EQ(helper.ClosesReceived(0), 2);
}

TEST_F(Win32DesktopTest, PostToAGoneWindowFails) {
  HWND gone = nullptr;
  {
    const PopupHelper helper({{.className = "DeskPostGone", .title = "gone"}});
    gone = helper.Window(0);
  }
  EXPECT_FALSE(desktop.Post(HandleOf(gone), kWmUser, 0, 0));
}

TEST_F(Win32DesktopTest, FindsAWindowByClassTitleAndTheProgramThatMadeIt) {
  const PopupHelper helper({{.className = "DeskFind", .title = "wanted"},
                            {.className = "DeskFind", .title = "other"},
                            {.className = "DeskFindHidden", .title = "hidden", .visible = false}});
  EXPECT_EQ(desktop.FindOfProgram("DeskFind", "wanted", "popup_helper.exe"), HandleOf(helper.Window(0)));
  EXPECT_EQ(desktop.FindOfProgram("DeskFind", "other", "POPUP_HELPER.EXE"), HandleOf(helper.Window(1)));
  EXPECT_EQ(desktop.FindOfProgram("DeskFindHidden", "hidden", "popup_helper.exe"), HandleOf(helper.Window(2)));
  EXPECT_EQ(desktop.FindOfProgram("DeskFind", "wanted", "Vandrel.exe"), 0u);
  EXPECT_EQ(desktop.FindOfProgram("DeskFind", "wanted", "helper.exe"), 0u);
  EXPECT_EQ(desktop.FindOfProgram("DeskFind", "missing", "popup_helper.exe"), 0u);
  EXPECT_EQ(desktop.FindOfProgram("DeskNoSuchClass", "wanted", "popup_helper.exe"), 0u);
}

TEST_F(Win32DesktopTest, BringToForegroundActivatesTheWindow) {
  const PopupHelper helper({{.className = "DeskBack", .title = "back"}, {.className = "DeskFront", .title = "front"}});
  desktop.BringToForeground(HandleOf(helper.Window(0)));
  EXPECT_TRUE(test::WaitUntil([&] { return GetForegroundWindow() == helper.Window(0); }, 3000));
}

}  // namespace
}  // namespace vandrel
