#include "TestForm.h"

#include <chrono>

#include "ui/Prompts.h"

namespace vandrel::test {

TestForm::TestForm() {
  Create({GetModuleHandleA(nullptr), "VandrelUiTestForm"},
         {"Test form", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 20, 20, 500, 400, nullptr});
}

LRESULT TestForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; binder.Route(message, wParam, lParam, result)) return result;
  if (handler) return handler(message, wParam, lParam);
  return Default(message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!done()) {
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= milliseconds) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return true;
}

RECT RectInParent(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

namespace {

HWND FindOwnBox() {
  for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", kApplicationTitle); window;
       window = FindWindowExA(nullptr, window, "#32770", kApplicationTitle)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace

BoxDriver::BoxDriver(std::function<void(HWND box)> act)
    : thread_([this, act = std::move(act)] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
          if (const HWND box = FindOwnBox()) {
            found_ = true;
            act(box);
            return;
          }
          Sleep(10);
        }
      }) {}

BoxDriver::~BoxDriver() { thread_.join(); }

void PressKey(HWND box, WPARAM key) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
  const HWND target = info.hwndFocus ? info.hwndFocus : box;
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

}  // namespace vandrel::test
