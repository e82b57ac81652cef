#include "platform/win32/Win32WindowEvents.h"

#include <iterator>
#include <string>
#include <utility>

namespace vandrel {
namespace {

constexpr const char* kReceiverClass = "VandrelWindowEventReceiver";
constexpr DWORD kHeardEvents[] = {EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE};
static_assert(std::size(kHeardEvents) == 3);

std::string ReceiverName() { return std::to_string(GetCurrentThreadId()); }

HWND CreateReceiver(void* listener) {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.cbWndExtra = sizeof(LONG_PTR);  // the listener
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kReceiverClass;
  RegisterClassA(&windowClass);  // fails harmlessly when a listener made it before
  const HWND receiver = CreateWindowExA(0, kReceiverClass, ReceiverName().c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        instance, nullptr);
  if (receiver) SetWindowLongPtrA(receiver, 0, reinterpret_cast<LONG_PTR>(listener));
  return receiver;
}

}  // namespace

bool Win32WindowEvents::Listen(std::function<void(WindowHandle window)> onEvent) {
  onEvent_ = std::move(onEvent);
  if (!receiver_) receiver_.reset(CreateReceiver(this));
  if (!receiver_) return false;
  for (std::size_t i = 0; i < hooks_.size(); ++i) {
    if (hooks_[i]) continue;
    hooks_[i].reset(SetWinEventHook(kHeardEvents[i], kHeardEvents[i], nullptr, &Heard, 0, 0,
                                    WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
    if (!hooks_[i]) {
      StopListening();
      return false;
    }
  }
  return true;
}

void Win32WindowEvents::StopListening() {
  for (UniqueWinEventHook& hook : hooks_) hook.reset();
  onEvent_ = nullptr;
}

void CALLBACK Win32WindowEvents::Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  // The window itself, not a part of it, and a top-level one: child
  // controls come and go in every program.
  if (object != OBJID_WINDOW || child != CHILDID_SELF || !window) return;
  if (GetAncestor(window, GA_PARENT) != GetDesktopWindow()) return;
  const HWND receiver = FindWindowExA(HWND_MESSAGE, nullptr, kReceiverClass, ReceiverName().c_str());
  const auto* listener = receiver ? reinterpret_cast<Win32WindowEvents*>(GetWindowLongPtrA(receiver, 0)) : nullptr;
  if (!listener || !listener->onEvent_) return;
  // No exception may unwind through user32; an event lost leaves the scan
  // timer's tick.
  try {
    listener->onEvent_(reinterpret_cast<WindowHandle>(window));
  } catch (...) {
  }
}

}  // namespace vandrel
