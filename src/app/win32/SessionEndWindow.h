#pragma once
#include <windows.h>

#include <functional>

#include "platform/win32/Handles.h"

namespace vandrel {

// A hidden top-level window that hears the end of the session for a run
// with no window of its own (Vandrel.exe Erase): message-only windows get
// no such message. `onEnd` runs while the session's message is handled,
// which is the last moment the process is sure to run; the message comes
// when the thread next lets messages run.
class SessionEndWindow {
 public:
  static constexpr const char* kClassName = "Vandrel.SessionEnd";

  SessionEndWindow(HINSTANCE instance, std::function<void()> onEnd);
  SessionEndWindow(const SessionEndWindow&) = delete;
  SessionEndWindow& operator=(const SessionEndWindow&) = delete;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::function<void()> onEnd_;
  UniqueWindow window_;
};

}  // namespace vandrel
