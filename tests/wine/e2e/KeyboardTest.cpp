// The real Vandrel.exe under Wine, used by keyboard: Tab through the
// rich-media window, and the main window active again after the viewer or
// the rich-media window closes.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Keyboard.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

constexpr WPARAM kRichMediaMenuItem = 2006, kDemoMenuItem = 2007;
constexpr int kDemoExitId = 403, kMonitorId = 380;

class KeyboardTest : public ::testing::Test {
 public:
  void SetUp() override {
    ResetVandrelState();
    vandrel.emplace();
    main = vandrel->WaitForMainWindow();
    ASSERT_NE(main, nullptr);
  }
  void TearDown() override {
    vandrel.reset();
    ResetVandrelState();
  }
  // Shows a window through the main window's menu item; null when it does not show.
  HWND Open(WPARAM menuItem, const char* windowClass) {
    const HWND window = vandrel->WaitForWindowOfClass(windowClass);
    if (!window) return nullptr;
    PostMessageA(main, WM_COMMAND, menuItem, 0);
    return WaitUntil([&] { return IsWindowVisible(window) && ActiveOf(window) == window; }, 10000) ? window
                                                                                                    : nullptr;
  }
  // Answers the rich-media window's closing note.
  void AnswerTheNote() {
    const HWND box = vandrel->WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  }

  std::optional<VandrelProcess> vandrel;
  HWND main = nullptr;
};

// A group of radio buttons counts as one stop: its buttons are 300 + 10 n + 1 and + 2 (n 1 to 5), the profiles' 361 to 363.
int StopOf(int id) { return id > 300 && id < 370 ? id / 10 * 10 : id; }

TEST_F(KeyboardTest, TabGoesThroughTheRichMediaWindowInOrderAndSpacePressesTheFocusedButton) {
  const HWND window = Open(kRichMediaMenuItem, "TW42VideoBlocker");
  ASSERT_NE(window, nullptr);
  // The five switches, the profiles, Monitor and Close, and round again.
  const std::vector<int> order{310, 320, 330, 340, 350, 360, kMonitorId, IDCANCEL};
  ASSERT_TRUE(WaitUntil([&] { return StopOf(FocusedId(window)) == order[0]; }, 5000)) << FocusedId(window);
  for (std::size_t step = 1; step <= order.size(); ++step) {
    PressKeys(window, {VK_TAB});
    const int expected = order[step % order.size()];
    EXPECT_TRUE(WaitUntil([&] { return StopOf(FocusedId(window)) == expected; }, 3000))
        << "Tab " << step << ": " << FocusedId(window) << " instead of " << expected;
  }
  for (std::size_t step = order.size(); step-- > 0;) {
    PressKeys(window, {VK_SHIFT, VK_TAB});
    EXPECT_TRUE(WaitUntil([&] { return StopOf(FocusedId(window)) == order[step]; }, 3000))
        << "Shift+Tab to " << order[step] << ": " << FocusedId(window);
  }
  for (int tabs = 0; tabs < 6; ++tabs) PressKeys(window, {VK_TAB});
  ASSERT_EQ(FocusedId(window), kMonitorId);
  PressKeys(window, {VK_SPACE});
  char caption[64] = {};
  EXPECT_TRUE(WaitUntil([&] {
    GetWindowTextA(GetDlgItem(window, kMonitorId), caption, sizeof caption);
    return std::string(caption) == "Stop m&onitor";
  }, 5000)) << caption;
}

// Each way of closing the two modeless windows leaves the main window
// active, so that its Alt shortcuts work at once.
TEST_F(KeyboardTest, ClosingTheViewerOrTheRichMediaWindowActivatesTheMainWindow) {
  const struct {
    const char* what;
    WPARAM menuItem;
    const char* windowClass;
    std::function<void(KeyboardTest&, HWND)> close;
  } cases[] = {
      {"the viewer's Exit demo", kDemoMenuItem, "TDemo",
       [](KeyboardTest&, HWND window) { PostMessageA(GetDlgItem(window, kDemoExitId), BM_CLICK, 0, 0); }},
      {"Esc in the viewer", kDemoMenuItem, "TDemo", [](KeyboardTest&, HWND window) { PressKeys(window, {VK_ESCAPE}); }},
      {"the viewer's close box", kDemoMenuItem, "TDemo",
       [](KeyboardTest&, HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"the rich-media window's Close", kRichMediaMenuItem, "TW42VideoBlocker",
       [](KeyboardTest& test, HWND window) {
         PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
         test.AnswerTheNote();
       }},
      {"Esc in the rich-media window", kRichMediaMenuItem, "TW42VideoBlocker",
       [](KeyboardTest& test, HWND window) {
         PressKeys(window, {VK_ESCAPE});
         test.AnswerTheNote();
       }},
      {"the rich-media window's close box", kRichMediaMenuItem, "TW42VideoBlocker",
       [](KeyboardTest&, HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  for (const auto& c : cases) {
    const HWND window = Open(c.menuItem, c.windowClass);
    ASSERT_NE(window, nullptr) << c.what;
    c.close(*this, window);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000)) << c.what;
    EXPECT_TRUE(WaitUntil([&] { return ActiveOf(main) == main && GetForegroundWindow() == main; }, 3000))
        << c.what << ": active " << ActiveOf(main) << ", main " << main;
  }
}

}  // namespace
}  // namespace vandrel::test
