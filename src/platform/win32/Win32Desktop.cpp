#include "platform/win32/Win32Desktop.h"

#include <windows.h>

namespace vandrel {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

std::uint32_t StyleOf(HWND window) {
  return static_cast<std::uint32_t>(GetWindowLongPtrA(window, GWL_STYLE));  // 0 when gone
}

// EnumWindows visits the top-level windows in Z order, topmost first. A
// top-level window's only parent is the desktop, which is always shown, so
// its own WS_VISIBLE bit is what IsWindowVisible answers; under Wine the
// style alone costs half as much (IsWindowVisible also lists the parents).
BOOL CALLBACK KeepVisible(HWND window, LPARAM list) {
  if (StyleOf(window) & WS_VISIBLE) {
    reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(reinterpret_cast<WindowHandle>(window));
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

// The style word alone: under Wine GetWindowInfo, which gathers the
// rectangles and more, costs several times as much.
std::uint32_t Win32Desktop::ReadStyle(WindowHandle window) { return StyleOf(ToHwnd(window)); }

bool Win32Desktop::IsVisible(WindowHandle window) { return IsWindowVisible(ToHwnd(window)) != FALSE; }

bool Win32Desktop::Post(WindowHandle window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return PostMessageA(ToHwnd(window), message, wParam, lParam) != FALSE;
}

WindowHandle Win32Desktop::Find(const std::string& className, const std::string& title) {
  return reinterpret_cast<WindowHandle>(FindWindowA(className.c_str(), title.c_str()));
}

void Win32Desktop::BringToForeground(WindowHandle window) { SetForegroundWindow(ToHwnd(window)); }

}  // namespace vandrel
