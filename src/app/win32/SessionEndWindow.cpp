#include "app/win32/SessionEndWindow.h"

#include <utility>

namespace vandrel {

SessionEndWindow::SessionEndWindow(HINSTANCE instance, std::function<void()> onEnd) : onEnd_(std::move(onEnd)) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &SessionEndWindow::Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  // Never shown: a popup of no size that the session still tells of its end.
  window_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, "Vandrel Erase", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                instance, this));
}

LRESULT CALLBACK SessionEndWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
  }
  auto* self = reinterpret_cast<SessionEndWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_QUERYENDSESSION: return TRUE;  // the erase ends at the session's end, it never holds it up
    case WM_ENDSESSION:
      if (wParam && self && self->onEnd_) self->onEnd_();
      return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace vandrel
