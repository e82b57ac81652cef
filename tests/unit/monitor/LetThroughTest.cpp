// The scan with the Ctrl rule and the windows the user opens with a click:
// what they spare, and what they do not.
#include <gtest/gtest.h>

#include "ScanDoubles.h"
#include "monitor/LetThrough.h"
#include "platform/memory/MemoryKeyState.h"
#include "platform/memory/MemoryUserInputs.h"

namespace vandrel {
namespace {

class LetThroughTest : public ::testing::Test, protected ScanDoubles {
 protected:
  LetThroughTest() {
    letThrough.UseInputs(opened);
    scan.UseLetThrough(letThrough);
    settings.LimitEnabled = true;
    settings.LimitWindows = 1;
    blockList.Assign({"casino"});
  }
  // A pop-up frame: no maximise box, so the class pass takes it as well.
  WindowHandle Popup(const std::string& page) { return desktop.Open(page + " " + kSuffix, "IEFrame"); }

  MemoryKeyState keys;
  MemoryUserInputs inputs;
  InputLetThrough opened{inputs, desktop};
  LetThrough letThrough{keys};
};

// A click in the known frame, then `frames` new pop-up frames `after` ms
// later, the first `kept` of them spared; the ticks come every 100 ms.
struct ClickCase {
  const char* what;
  std::uint32_t after;
  int frames, kept;
  bool listed = false, block100 = false, settingOff = false;
  const char* program = "";
};

TEST_F(LetThroughTest, AClickInABrowserFrameLetsThroughTheFirstFrameItsBrowserOpensSoonAfter) {
  const ClickCase cases[] = {
      {"200 ms after", 200, 1, 1},           {"8 s after", 8000, 1, 0},
      {"two after one click", 200, 2, 1},    {"on the block list", 200, 1, 0, true},
      {"Block 100%", 200, 1, 0, false, true}, {"setting off", 200, 1, 0, false, false, true},
      {"of another program", 200, 1, 0, false, false, false, "other.exe"},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.what);
    scan.Reset();
    settings.LetClickedThrough = !c.settingOff;
    scan.SetBlock100(c.block100);
    const WindowHandle home = Frame("Home");
    inputs.now = 0;
    scan.Tick();
    inputs.Press(home);
    inputs.now = c.after - 100;
    scan.Tick();
    std::vector<WindowHandle> frames;
    for (int i = 0; i < c.frames; ++i) {
      desktop.MadeBy(frames.emplace_back(Popup(c.listed ? "Casino" : "Log in")), c.program);
    }
    for (inputs.now = c.after; inputs.now < c.after + 300; inputs.now += 100) scan.Tick();
    for (int i = 0; i < c.frames; ++i) EXPECT_EQ(desktop.ClosesPostedTo(frames[i]) == 0, i < c.kept) << i;
    for (WindowHandle window : frames) desktop.Close(window);
    desktop.Close(home);
  }
}

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
