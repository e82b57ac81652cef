// The test support code against real processes and windows under Wine.
#include <gtest/gtest.h>

#include <string>

#include "Launch.h"
#include "PopupHelper.h"
#include "RemoteStatusText.h"

namespace vandrel::test {
namespace {

std::string SystemProgram(const char* name) {
  char folder[MAX_PATH];
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

std::string TitleOf(HWND window) {
  char title[512];
  return std::string(title, static_cast<std::size_t>(GetWindowTextA(window, title, sizeof title)));
}

TEST(Launch, ReturnsTheProgramsExitCode) {
  const Process process = Launch(SystemProgram("cmd.exe"), {"/c", "exit 7"});
  ASSERT_TRUE(process.Wait(10000));
  EXPECT_EQ(process.ExitCode(), 7u);
}

TEST(Launch, WaitTimesOutWhileTheProgramRunsAndKillEndsIt) {
  PopupHelper helper({{.className = "SupportRunning", .title = "running"}});
  EXPECT_FALSE(helper.process().Wait(100));
  EXPECT_FALSE(helper.process().ExitCode().has_value());
  helper.process().Kill(9);
  ASSERT_TRUE(helper.process().Wait(5000));
  EXPECT_EQ(helper.process().ExitCode(), 9u);
}

TEST(Launch, ThrowsForAMissingProgram) { EXPECT_THROW(Launch("C:\\no\\such\\program.exe", {}), std::runtime_error); }

// Quoting reaches the helper intact: its window title is the argument.
TEST(Launch, ArgumentsArriveUnchanged) {
  const std::string titles[] = {"two words", "a \"quoted\" word", "ends in backslash\\",
                                "back\\\\slashes \\\" and quote", ""};
  std::vector<PopupWindowSpec> windows;
  for (const auto& title : titles) windows.push_back({.className = "SupportQuoting", .title = title});
  const PopupHelper helper(windows);
  for (std::size_t i = 0; i < std::size(titles); ++i) EXPECT_EQ(TitleOf(helper.Window(i)), titles[i]);
}

TEST(PopupHelper, CountsEveryCloseOfAWindowThatIgnoresIt) {
  const PopupHelper helper({{.className = "SupportStubborn", .title = "stubborn", .ignoresClose = true},
                            {.className = "SupportPlain", .title = "plain"}});
  for (int i = 0; i < 3; ++i) PostMessageA(helper.Window(0), WM_CLOSE, 0, 0);
  ASSERT_TRUE(helper.WaitForCloses(0, 3));
  EXPECT_TRUE(IsWindow(helper.Window(0)));
  EXPECT_EQ(helper.ClosesReceived(1), 0);
}

// The scan may close a window many times while a test reads the report:
// no read may lose a window.
TEST(PopupHelper, EveryReadSeesEveryWindowWhileClosesArrive) {
  const PopupHelper helper({{.className = "SupportStubborn", .title = "stubborn", .ignoresClose = true},
                            {.className = "SupportPlain", .title = "plain"}});
  constexpr int kCloses = 300;
  for (int i = 0; i < kCloses; ++i) {
    PostMessageA(helper.Window(0), WM_CLOSE, 0, 0);
    ASSERT_EQ(helper.ClosesReceived(1), 0) << "a read lost a window after " << i << " closes";
  }
  EXPECT_TRUE(helper.WaitForCloses(0, kCloses));
}

TEST(PopupHelper, ManyModeMakesEveryTenthWindowABrowserFrame) {
  const PopupHelper helper = PopupHelper::Many(200, 20);
  ASSERT_EQ(helper.Count(), 200u);
  int frames = 0;
  for (std::size_t i = 0; i < helper.Count(); ++i) {
    char className[64];
    GetClassNameA(helper.Window(i), className, sizeof className);
    if (std::string(className) != "IEFrame") continue;
    ++frames;
    EXPECT_EQ(TitleOf(helper.Window(i)), "Page " + std::to_string(frames) + " - Microsoft Internet Explorer");
    EXPECT_TRUE(GetWindowLongA(helper.Window(i), GWL_STYLE) & WS_MAXIMIZEBOX);
  }
  EXPECT_EQ(frames, 20);
}

TEST(ReadRemoteStatusText, ReadsEachPanelOfAnotherProcess) {
  const std::string longText(200, 'x');
  const PopupHelper helper(
      {{.className = "SupportStatus", .title = "status", .statusTexts = {"Ready", "", "12 closed", longText}}});
  ASSERT_NE(helper.StatusBar(0), nullptr);
  EXPECT_EQ(ReadRemoteStatusText(helper.StatusBar(0), 0), "Ready");
  EXPECT_EQ(ReadRemoteStatusText(helper.StatusBar(0), 1), "");
  EXPECT_EQ(ReadRemoteStatusText(helper.StatusBar(0), 2), "12 closed");
  EXPECT_EQ(ReadRemoteStatusText(helper.StatusBar(0), 3), longText);
}

TEST(ReadRemoteStatusText, NothingForAWindowThatIsGone) {
  HWND statusBar = nullptr;
  {
    const PopupHelper helper({{.className = "SupportGone", .title = "gone", .statusTexts = {"text"}}});
    statusBar = helper.StatusBar(0);
  }
  EXPECT_EQ(ReadRemoteStatusText(statusBar, 0), std::nullopt);
}

}  // namespace
}  // namespace vandrel::test
