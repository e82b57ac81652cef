#pragma once
#include <windows.h>

#include <array>
#include <functional>

#include "platform/WindowEvents.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// Out-of-context window event hooks (Windows 2000 and later) for the
// creation, showing and renaming of other processes' top-level windows.
// The events come through the listening thread's message loop.
class Win32WindowEvents : public WindowEvents {
 public:
  Win32WindowEvents() = default;
  Win32WindowEvents(const Win32WindowEvents&) = delete;
  Win32WindowEvents& operator=(const Win32WindowEvents&) = delete;
  ~Win32WindowEvents() override { StopListening(); }

  // False also while another listener listens on this thread: the thread's
  // events have one listener.
  bool Listen(std::function<void(WindowHandle window)> onEvent) override;
  void StopListening() override;

 private:
  static void CALLBACK Heard(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object, LONG child, DWORD thread,
                             DWORD time);

  // A hook's callback gets no pointer of its own, and it runs on the thread
  // that set the hook: it finds its listener in that thread's own slot,
  // never through anything on the desktop, where any program can make a
  // window of any class and name. A listener that stopped has left the
  // slot, so an event still queued after the unhook finds nothing.
  static thread_local Win32WindowEvents* listenerOfThisThread_;

  std::array<UniqueWinEventHook, 3> hooks_;
  std::function<void(WindowHandle window)> onEvent_;
};

}  // namespace vandrel
