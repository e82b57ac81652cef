// The wait loop against the real message queue: a quit it meets is
// remembered and put back for the main loop, and a rest after it still rests.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/Win32WaitLoop.h"

namespace vandrel {
namespace {

TEST(Win32WaitLoopTest, AQuitIsRememberedAndPutBackAndTheRestsAfterItStillRest) {
  Win32WaitLoop loop;
  // Posted as a registration run posts it to the main window.
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 7, 0));
  loop.DispatchPendingMessages();
  EXPECT_TRUE(loop.QuitSeen());
  const DWORD started = GetTickCount();
  for (int rest = 0; rest < 5; ++rest) loop.RestThenDispatch(100);
  EXPECT_GE(GetTickCount() - started, 450u) << "the quit woke every rest at once";
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the main loop would not end";
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace vandrel
