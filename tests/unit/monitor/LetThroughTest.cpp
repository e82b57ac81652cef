// The scan with the Ctrl rule: what a held key spares, and what it does not.
#include <gtest/gtest.h>

#include "ScanDoubles.h"
#include "monitor/LetThrough.h"
#include "platform/memory/MemoryKeyState.h"

namespace vandrel {
namespace {

class LetThroughTest : public ::testing::Test, protected ScanDoubles {
 protected:
  LetThroughTest() {
    scan.UseLetThrough(letThrough);
    settings.LimitEnabled = true;
    settings.LimitWindows = 1;
    blockList.Assign({"casino"});
  }
  // A pop-up frame: no maximise box, so the class pass takes it as well.
  WindowHandle Popup(const std::string& page) { return desktop.Open(page + " " + kSuffix, "IEFrame"); }

  MemoryKeyState keys;
  LetThrough letThrough{keys};
};

TEST_F(LetThroughTest, AWindowFirstSeenWhileCtrlIsDownIsSparedByEveryPassAlsoAfterRelease) {
  const WindowHandle home = Frame("Home");
  scan.Tick();  // known: fills the limit of one
  keys.controlDown = true;
  const WindowHandle login = Popup("Casino login");  // beyond the limit, listed, and a pop-up class
  const WindowHandle dialog = desktop.Open("Print", "Internet Explorer_TridentDlgFrame");
  scan.Tick();
  keys.controlDown = false;
  scan.Tick();
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(login), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(dialog), 0);
  EXPECT_EQ(desktop.ClosesPostedTo(home), 0);
  EXPECT_EQ(events.closed, 0);
  // It counts as known: two known frames of a limit of one leave the icon as it was.
  EXPECT_EQ(scan.OldTitles().size(), 2u);
}

TEST_F(LetThroughTest, WindowsFirstSeenAfterReleaseAndWindowsKnownBeforeAreClosedAsEver) {
  const WindowHandle known = Frame("Casino");  // listed: closed at every tick, it stays open
  scan.Tick();
  keys.controlDown = true;
  scan.Tick();  // known before the key went down: no pass spares it
  keys.controlDown = false;
  const WindowHandle later = Popup("Later");
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(known), 3);
  // The class pass and the limit pass both take the frame that opened after release.
  EXPECT_EQ(desktop.ClosesPostedTo(later), 2);
  EXPECT_EQ(events.closed, 4);
}

TEST_F(LetThroughTest, SwitchingBlockingOffForgetsTheSparedWindows) {
  keys.controlDown = true;
  const WindowHandle spared = Popup("Casino");
  scan.Tick();
  keys.controlDown = false;
  scan.Tick();
  ASSERT_EQ(desktop.ClosesPostedTo(spared), 0);
  scan.Reset();  // blocking off and on again: every window is new
  scan.Tick();
  EXPECT_EQ(desktop.ClosesPostedTo(spared), 2);  // the class pass and the block list
}

}  // namespace
}  // namespace vandrel
