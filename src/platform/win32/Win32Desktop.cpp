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

// GetClassNameA returns the number of characters copied, 0 on failure.
void StoreLength(int copied, ClassText& out) {
  out.length = copied > 0 ? static_cast<std::size_t>(copied) : 0;
  if (out.length == 0) out.data[0] = '\0';
}

constexpr std::size_t kFirstTitleBuffer = 256;
constexpr int kTitleReadAttempts = 3;

// Reads the title into all of `out`; true when it is whole: a read that
// leaves less than a character of two bytes free may have been cut (Wine
// drops a character of two that does not fit whole).
bool ReadTitleInto(HWND window, std::string& out) {
  out.resize(out.capacity() < kFirstTitleBuffer ? kFirstTitleBuffer : out.capacity());
  const int copied = GetWindowTextA(window, out.data(), static_cast<int>(out.size()));
  const std::size_t length = copied > 0 ? static_cast<std::size_t>(copied) : 0;
  const bool whole = length + 2 < out.size();
  out.resize(length);
  return whole;
}

}  // namespace

void Win32Desktop::ListVisibleWindows(std::vector<WindowHandle>& out) {
  out.clear();
  EnumWindows(KeepVisible, reinterpret_cast<LPARAM>(&out));
}

// Into the buffer the last read left first, which holds every usual title
// with one call; a longer title is read again after asking its length (an
// upper bound), and again should it have grown in between. Neither call
// sends a message to another process's window.
void Win32Desktop::ReadTitle(WindowHandle window, std::string& out) {
  const HWND hwnd = ToHwnd(window);
  for (int attempt = 0; attempt < kTitleReadAttempts; ++attempt) {
    if (ReadTitleInto(hwnd, out)) return;
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return;
    out.reserve(static_cast<std::size_t>(length) + 3);
  }
  ReadTitleInto(hwnd, out);  // a title that keeps growing is taken as it reads now
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
