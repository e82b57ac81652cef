// The real Vandrel.exe under Wine: the main window is active again after
// the viewer or the rich-media window closes, so its Alt shortcuts work.
#include <gtest/gtest.h>

#include "Keyboard.h"
#include "RegistryReset.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

class KeyboardTest : public VandrelTest {};

TEST_F(KeyboardTest, ClosingTheViewerOrTheRichMediaWindowActivatesTheMainWindow) {
  VandrelProcess vandrel;
  const HWND main = vandrel.WaitForMainWindow();
  ASSERT_NE(main, nullptr);
  const struct {
    WPARAM menuItem;
    const char* windowClass;
    int closeButton;
    bool note;  // the rich-media window's Close and Esc show a note first
  } windows[] = {{2007, "TDemo", 403, false}, {2006, "TW42VideoBlocker", IDCANCEL, true}};
  enum Way { Button, Esc, CloseBox };
  for (const auto& w : windows) {
    const HWND window = vandrel.WaitForWindowOfClass(w.windowClass);
    for (const Way way : {Button, Esc, CloseBox}) {
      PostMessageA(main, WM_COMMAND, w.menuItem, 0);
      ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window) && ActiveOf(window) == window; }, 10000));
      if (way == Button) PostMessageA(GetDlgItem(window, w.closeButton), BM_CLICK, 0, 0);
      if (way == Esc) PressKeys(window, {VK_ESCAPE});
      if (way == CloseBox) PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      if (w.note && way != CloseBox) {
        const HWND box = vandrel.WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 5000)) << w.windowClass << " " << way;
      EXPECT_TRUE(WaitUntil([&] { return ActiveOf(main) == main && GetForegroundWindow() == main; }, 3000))
          << w.windowClass << ", way " << way << ": active " << ActiveOf(main);
    }
  }
}

}  // namespace
}  // namespace vandrel::test
