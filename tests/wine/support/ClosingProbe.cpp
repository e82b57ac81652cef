#include "ClosingProbe.h"

#include <stdexcept>

namespace vandrel::test {

double NowMilliseconds() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

ClosingProbe::ClosingProbe(const std::string& className, const std::string& title, bool maximizeBox, bool shown) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = className.c_str();
  RegisterClassA(&windowClass);  // once per class name; later calls fail harmlessly
  const DWORD style =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (maximizeBox ? WS_MAXIMIZEBOX : 0) | (shown ? WS_VISIBLE : 0);
  Started();
  window_.reset(
      CreateWindowExA(0, className.c_str(), title.c_str(), style, 40, 40, 240, 120, nullptr, nullptr, instance, this));
  if (!window_) throw std::runtime_error("the probe window could not be made");
  creationMs_ = NowMilliseconds() - start_;
}

void ClosingProbe::Show() {
  Started();
  ShowWindow(window_.get(), SW_SHOWNA);
}

void ClosingProbe::Started() {
  start_ = NowMilliseconds();
  startTick_ = GetTickCount();
}

void PumpMessages(DWORD timeoutMs, const std::function<bool()>& done) {
  const DWORD begin = GetTickCount();
  for (DWORD elapsed = 0; !done() && elapsed < timeoutMs; elapsed = GetTickCount() - begin) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
  }
}

std::optional<double> ClosingProbe::WaitForClose(DWORD timeoutMs) {
  PumpMessages(timeoutMs, [this] { return closedAt_.has_value(); });
  if (!closedAt_) return std::nullopt;
  return *closedAt_ - start_;
}

LRESULT CALLBACK ClosingProbe::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  }
  if (message == WM_CLOSE) {
    auto* probe = reinterpret_cast<ClosingProbe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (probe && !probe->closedAt_) {
      probe->closedAt_ = NowMilliseconds();
      probe->postedAfter_ = static_cast<LONG>(static_cast<DWORD>(GetMessageTime()) - probe->startTick_);
    }
    return 0;  // stays: the owner destroys it
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace vandrel::test
