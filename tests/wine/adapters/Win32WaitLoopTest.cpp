// The wait loop against the real message queue: a quit it meets is
// remembered and put back for the main loop, and a rest after it still rests.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "ProcessorTime.h"
#include "platform/win32/Win32WaitLoop.h"

namespace vandrel {
namespace {

TEST(Win32WaitLoopTest, AQuitIsRememberedAndPutBackAndTheRestsAfterItStillRest) {
  Win32WaitLoop loop;
  loop.DispatchPendingMessages();
  EXPECT_FALSE(loop.QuitSeen());
  // Posted as a registration run posts it to the main window.
  ASSERT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 7, 0));
  loop.DispatchPendingMessages();
  EXPECT_TRUE(loop.QuitSeen());

  constexpr int kRests = 5;
  constexpr DWORD kRestMs = 100;
  const DWORD started = GetTickCount();
  const double processorBefore = test::ThreadProcessorMs();
  for (int rest = 0; rest < kRests; ++rest) loop.RestThenDispatch(kRestMs);
  const DWORD elapsed = GetTickCount() - started;
  const double processor = test::ThreadProcessorMs() - processorBefore;
  std::printf("%d rests of %lu ms after a quit: %lu ms, %.0f ms of processor\n", kRests, kRestMs, elapsed,
              processor);
  EXPECT_GE(elapsed, kRests * kRestMs * 9 / 10) << "the quit woke every rest at once";
  EXPECT_LT(processor, kRests * kRestMs / 2.0);

  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the main loop would not end";
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace vandrel
