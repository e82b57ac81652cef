#include "platform/win32/Win32Desktop.h"

#include <windows.h>

namespace vandrel {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// EnumWindows visits the top-level windows in Z order, topmost first.
BOOL CALLBACK KeepVisible(HWND window, LPARAM list) {
  if (IsWindowVisible(window)) {
    reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(
        reinterpret_cast<WindowHandle>(window));
  }
  return TRUE;
}

// Both calls return the number of characters copied, 0 on failure.
template <std::size_t Capacity>
void StoreLength(int copied, WindowText<Capacity>& out) {
  out.length = copied > 0 ? static_cast<std::size_t>(copied) : 0;
  if (out.length == 0) out.data[0] = '\0';
}

}  // namespace

void Win32Desktop::ListVisibleWindows(std::vector<WindowHandle>& out) {
  out.clear();
  EnumWindows(KeepVisible, reinterpret_cast<LPARAM>(&out));
}

void Win32Desktop::ReadTitle(WindowHandle window, TitleText& out) {
  StoreLength(GetWindowTextA(ToHwnd(window), out.data, static_cast<int>(kTitleBufferSize)), out);
}

void Win32Desktop::ReadClassName(WindowHandle window, ClassText& out) {
  StoreLength(GetClassNameA(ToHwnd(window), out.data, static_cast<int>(kClassBufferSize)), out);
}

std::uint32_t Win32Desktop::ReadStyle(WindowHandle window) {
  WINDOWINFO info{};
  info.cbSize = sizeof info;
  if (!GetWindowInfo(ToHwnd(window), &info)) return 0;
  return info.dwStyle;
}

bool Win32Desktop::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                        std::intptr_t lParam) {
  return PostMessageA(ToHwnd(window), message, wParam, lParam) != FALSE;
}

WindowHandle Win32Desktop::Find(const std::string& className, const std::string& title) {
  return reinterpret_cast<WindowHandle>(FindWindowA(className.c_str(), title.c_str()));
}

void Win32Desktop::BringToForeground(WindowHandle window) { SetForegroundWindow(ToHwnd(window)); }

}  // namespace vandrel
