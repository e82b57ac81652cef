#include "ui/win32/Window.h"

#include <string>

#include "platform/PlatformError.h"

namespace vandrel {
namespace {

constexpr int kObjectSlot = 0;  // the extra bytes of every class registered here

void RegisterOnce(const WindowClass& windowClass, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExA(windowClass.instance, windowClass.name, &existing)) return;
  WNDCLASSEXA description{};
  description.cbSize = sizeof(description);
  description.lpfnWndProc = procedure;
  description.cbWndExtra = sizeof(LONG_PTR);
  description.hInstance = windowClass.instance;
  description.hIcon = windowClass.icon;
  description.hCursor = windowClass.cursor ? windowClass.cursor : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
  description.hbrBackground = windowClass.background;
  description.lpszClassName = windowClass.name;
  if (!RegisterClassExA(&description)) {
    throw PlatformError(std::string("Cannot register the window class ") + windowClass.name);
  }
}

}  // namespace

Window::~Window() {
  if (!handle_) return;
  // Detach first: a derived object is already gone and must not see WM_DESTROY.
  SetWindowLongPtrA(handle_, kObjectSlot, 0);
  DestroyWindow(handle_);
}

void Window::Create(const WindowClass& windowClass, const WindowPlacement& placement) {
  RegisterOnce(windowClass, &Window::Procedure);
  const HWND window = CreateWindowExA(placement.exStyle, windowClass.name, placement.title, placement.style,
                                      placement.left, placement.top, placement.width, placement.height,
                                      placement.parent, nullptr, windowClass.instance, this);
  if (!window) throw PlatformError(std::string("Cannot create the window ") + windowClass.name);
}

void Window::MakeContentsOnce() {
  if (contentsMade_) return;
  contentsMade_ = true;
  MakeContents();
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) { return Default(message, wParam, lParam); }

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) const {
  return DefWindowProcA(handle_, message, wParam, lParam);
}

Window* Window::Attached(HWND window) { return reinterpret_cast<Window*>(GetWindowLongPtrA(window, kObjectSlot)); }

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, kObjectSlot, reinterpret_cast<LONG_PTR>(self));
  }
  Window* self = Attached(window);
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result =
      RunGuarded(window, self->reporter_, LRESULT{0}, [&] { return self->HandleMessage(message, wParam, lParam); });
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, kObjectSlot, 0);
    self->handle_ = nullptr;
  }
  return result;
}

}  // namespace vandrel
