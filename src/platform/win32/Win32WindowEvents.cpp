#include "platform/win32/Win32WindowEvents.h"

#include <iterator>
#include <utility>

namespace vandrel {
namespace {

constexpr DWORD kHeardEvents[] = {EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE};
static_assert(std::size(kHeardEvents) == 3);

}  // namespace

thread_local Win32WindowEvents* Win32WindowEvents::listenerOfThisThread_ = nullptr;

bool Win32WindowEvents::Listen(std::function<void(WindowHandle window)> onEvent) {
  if (listenerOfThisThread_ && listenerOfThisThread_ != this) return false;
  onEvent_ = std::move(onEvent);
  listenerOfThisThread_ = this;
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
  if (listenerOfThisThread_ == this) listenerOfThisThread_ = nullptr;
}

void CALLBACK Win32WindowEvents::Heard(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  // The window itself, not a part of it, and a top-level one: child
  // controls come and go in every program.
  if (object != OBJID_WINDOW || child != CHILDID_SELF || !window) return;
  if (GetAncestor(window, GA_PARENT) != GetDesktopWindow()) return;
  const Win32WindowEvents* listener = listenerOfThisThread_;
  if (!listener || !listener->onEvent_) return;
  // No exception may unwind through user32; an event lost leaves the scan
  // timer's tick.
  try {
    listener->onEvent_(reinterpret_cast<WindowHandle>(window));
  } catch (...) {
  }
}

}  // namespace vandrel
