#include "platform/win32/Win32WaitLoop.h"

#include <windows.h>

namespace vandrel {

void Win32WaitLoop::DispatchPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The main loop must still see it, or the program would not end.
      quitSeen_ = true;
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32WaitLoop::RestThenDispatch(std::uint32_t milliseconds) {
  // A quit posted again stays in the queue, and a message wait would wake
  // at once, every time: once it was seen, the rest is a plain sleep.
  if (quitSeen_) {
    Sleep(milliseconds);
  } else {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
  }
  DispatchPendingMessages();
}

std::uint32_t Win32WaitLoop::TickCount() { return GetTickCount(); }

}  // namespace vandrel
