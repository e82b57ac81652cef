// Takes a program's windows away from under it, as they go when the
// desktop they live on goes: the test hooks the program's GUI thread with
// TakeWindows (WH_GETMESSAGE), which loads this library into the program,
// then posts kTakeWindowsMessage to one of its windows. Every top-level
// window of that thread is then destroyed without its own window procedure
// seeing any of it, so none of the program's code learns that they went.
#include <windows.h>

#include "WindowTaker.h"

namespace {

BOOL CALLBACK Silence(HWND window, LPARAM) {
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
  return TRUE;
}

BOOL CALLBACK Destroy(HWND window, LPARAM) {
  DestroyWindow(window);
  return TRUE;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK TakeWindows(int code, WPARAM removed, LPARAM parameter) {
  auto* message = reinterpret_cast<MSG*>(parameter);
  if (code == HC_ACTION && removed == PM_REMOVE &&
      message->message == RegisterWindowMessageA(vandrel::test::kTakeWindowsMessage)) {
    message->message = WM_NULL;
    EnumThreadWindows(GetCurrentThreadId(), &Silence, 0);
    EnumThreadWindows(GetCurrentThreadId(), &Destroy, 0);
  }
  return CallNextHookEx(nullptr, code, removed, parameter);
}
