#include "platform/win32/Win32WindowEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PopupHelper.h"
#include "WaitUntil.h"

namespace vandrel {
namespace {

// Another program's stand-in for the hook's old way to its listener: a
// message-only window of the name it looked for, whose extra bytes point at
// whatever that program likes (here zeros, which read as a listener with no
// handler).
class ForeignReceiver {
 public:
  ForeignReceiver() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VandrelWindowEventReceiver";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, std::to_string(GetCurrentThreadId()).c_str(), 0, 0, 0,
                              0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(&planted_));
  }
  ~ForeignReceiver() { DestroyWindow(window_); }
  HWND Window() const { return window_; }

 private:
  alignas(16) unsigned char planted_[512] = {};
  HWND window_ = nullptr;
};

bool HeardWithin(const std::vector<WindowHandle>& heard, HWND window, DWORD timeoutMs) {
  return test::WaitUntil(
      [&] {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        for (const WindowHandle one : heard) {
          if (one == reinterpret_cast<WindowHandle>(window)) return true;
        }
        return false;
      },
      timeoutMs);
}

TEST(Win32WindowEventsTest, TheListenerHearsOtherProgramsWindowsWhateverWindowsTheDesktopHolds) {
  std::vector<WindowHandle> heard;
  Win32WindowEvents events;
  ASSERT_TRUE(events.Listen([&heard](WindowHandle window) { heard.push_back(window); }));
  // Made after the listener, so that a search of the desktop would meet it first.
  const ForeignReceiver foreign;
  ASSERT_NE(foreign.Window(), nullptr);
  // One listener a thread: a second one is refused and the first keeps its events.
  Win32WindowEvents second;
  EXPECT_FALSE(second.Listen([](WindowHandle) { ADD_FAILURE() << "the second listener heard"; }));

  const test::PopupHelper helper({{.className = "EventsHeard", .title = "heard"}});
  EXPECT_TRUE(HeardWithin(heard, helper.Window(0), 5000));

  // Once stopped, nothing more is heard.
  events.StopListening();
  heard.clear();
  const test::PopupHelper later({{.className = "EventsNotHeard", .title = "not heard"}});
  EXPECT_FALSE(HeardWithin(heard, later.Window(0), 500));
}

}  // namespace
}  // namespace vandrel
