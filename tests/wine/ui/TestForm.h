#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <atomic>
#include <thread>

#include "ui/win32/Binder.h"
#include "ui/win32/Window.h"

namespace vandrel::test {

// A visible form whose messages go to its binder first, then to `handler`
// when set, then to the system.
class TestForm : public Window {
 public:
  TestForm();
  Binder binder;
  std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)> handler;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Dispatches this thread's messages until `done` holds or `milliseconds`
// have passed; returns whether `done` held.
bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds);

// The window's rectangle relative to its parent's client area.
RECT RectInParent(HWND window);

// Waits on its own thread for this process's top-level dialog titled
// "Vandrel" and hands it to `act`; joins when it goes. The test's thread
// meanwhile sits in the box's modal loop.
class BoxDriver {
 public:
  explicit BoxDriver(std::function<void(HWND box)> act);
  ~BoxDriver();
  BoxDriver(const BoxDriver&) = delete;
  BoxDriver& operator=(const BoxDriver&) = delete;
  bool Found() const { return found_; }

 private:
  std::atomic<bool> found_ = false;
  std::thread thread_;
};

// Presses a key in the box the way the keyboard does: to its focused control.
void PressKey(HWND box, WPARAM key);

}  // namespace vandrel::test
