// The real Vandrel.exe under Wine with the Ctrl key held in the test's own
// desktop: the scan spares the windows it first sees then.
#include <gtest/gtest.h>

#include "PopupHelper.h"
#include "ScanTicks.h"
#include "VandrelProcess.h"
#include "WaitUntil.h"

namespace vandrel::test {
namespace {

// A pop-up frame without a maximise box: the class pass closes it at once.
PopupWindowSpec PopupFrame(const std::string& page) {
  return {"IEFrame", page + " - Microsoft Internet Explorer", true, false, false};
}

// Wine starts a Unix program as it would a Windows one, but its process
// handle cannot be waited on: the test waits for the key state instead.
void RunXdotool(const std::string& arguments) {
  std::string commandLine = WindowsPathOf("/usr/bin/xdotool") + " " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    ADD_FAILURE() << "xdotool did not start: error " << GetLastError();
    return;
  }
  WaitForSingleObject(started.hProcess, 5000);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
}

// Ctrl pressed as the keyboard would press it; let go when this goes, so
// that a failed test leaves no key down. Wine takes the keys' state from the
// X server again whenever one of its windows gets the focus, so a key sent
// with SendInput alone reads as up again once a new window is shown: the key
// goes down in the X server as well (through the XTEST extension).
class HeldControlKey {
 public:
  HeldControlKey() { Press(true); }
  ~HeldControlKey() { Release(); }
  void Release() {
    if (held_) Press(false);
    held_ = false;
  }

 private:
  static void Press(bool down) {
    RunXdotool(down ? "keydown ctrl" : "keyup ctrl");
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_CONTROL;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
  }
  bool held_ = true;
};

bool ControlSeenDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

class LetThroughTest : public VandrelTest {};

TEST_F(LetThroughTest, AFrameOpenedWhileCtrlIsHeldStaysOpenAndOneOpenedAfterReleaseIsClosed) {
  VandrelProcess vandrel;
  ASSERT_NE(vandrel.WaitForMainWindow(), nullptr);
  // Known before the key goes down: it tells the ticks, and goes on being closed.
  PopupHelper ticks{TickWitness(), BarrierWindow()};
  ASSERT_TRUE(WaitForScanTicks(ticks, 0, 1, 1));

  HeldControlKey control;
  ASSERT_TRUE(WaitUntil(ControlSeenDown, 2000)) << "the desktop does not show the injected key as down";
  PopupHelper wanted{PopupFrame("Login")};
  ASSERT_TRUE(WaitForScanTicks(ticks, 0, 1, 3));
  EXPECT_TRUE(ControlSeenDown());
  control.Release();
  ASSERT_TRUE(WaitUntil([] { return !ControlSeenDown(); }, 2000));
  ASSERT_TRUE(WaitForScanTicks(ticks, 0, 1, 3));
  EXPECT_EQ(wanted.ClosesReceived(0), 0);

  PopupHelper unwanted{PopupFrame("Advert")};
  EXPECT_TRUE(unwanted.WaitForCloses(0, 1));
  EXPECT_EQ(wanted.ClosesReceived(0), 0);
}

}  // namespace
}  // namespace vandrel::test
