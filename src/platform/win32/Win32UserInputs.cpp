#include "platform/win32/Win32UserInputs.h"

#include <utility>

namespace vandrel {

struct Win32UserInputs::Heard {
  Heard() { InitializeCriticalSection(&lock); }
  ~Heard() { DeleteCriticalSection(&lock); }
  Heard(const Heard&) = delete;
  Heard& operator=(const Heard&) = delete;

  // Held for a push or a swap only.
  CRITICAL_SECTION lock;
  std::vector<UserInput> inputs;  // oldest first, at most kKept
  static constexpr std::size_t kKept = 64;
  UniqueHandle started{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  bool hooked = false;  // written before `started` is set
};

namespace {

class Locked {
 public:
  explicit Locked(CRITICAL_SECTION& lock) : lock_(lock) { EnterCriticalSection(&lock_); }
  ~Locked() { LeaveCriticalSection(&lock_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  CRITICAL_SECTION& lock_;
};

// What a hook saw: the time, and the point of a press (a key has none).
// The hook only notes it and returns; the window is found after, since
// every question about windows is a call to the window server under Wine,
// and the input waits for the hook.
struct Seen {
  DWORD at;
  bool key;
  POINT point;
};

// A hook's procedure gets no pointer of its own and runs on the thread that
// set it: it finds its list in that thread's slot.
thread_local std::vector<Seen>* seenOnThisThread = nullptr;

void NoteSeen(bool key, POINT point = {}) {
  std::vector<Seen>* seen = seenOnThisThread;
  // Sized once: a hook allocates nothing.
  if (seen && seen->size() < Win32UserInputs::Heard::kKept) seen->push_back({GetTickCount(), key, point});
}

LRESULT CALLBACK MouseHeard(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
                            message == WM_XBUTTONDOWN)) {
    NoteSeen(false, reinterpret_cast<const MSLLHOOKSTRUCT*>(data)->pt);
  }
  return CallNextHookEx(nullptr, code, message, data);
}

bool OpensWindows(const KBDLLHOOKSTRUCT& key) { return key.vkCode == VK_RETURN || key.vkCode == VK_SPACE; }

LRESULT CALLBACK KeyHeard(int code, WPARAM message, LPARAM data) {
  if (code == HC_ACTION && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) &&
      OpensWindows(*reinterpret_cast<const KBDLLHOOKSTRUCT*>(data))) {
    NoteSeen(true);
  }
  return CallNextHookEx(nullptr, code, message, data);
}

// The top-level window an input went to, found right after its hook.
HWND WindowOf(const Seen& seen) {
  HWND window = nullptr;
  if (seen.key) {
    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    window = GetGUIThreadInfo(0, &focus) && focus.hwndFocus ? focus.hwndFocus : GetForegroundWindow();
  } else {
    window = WindowFromPoint(seen.point);
  }
  return window ? GetAncestor(window, GA_ROOT) : nullptr;
}

void HandOn(Win32UserInputs::Heard& heard, std::vector<Seen>& seen) {
  for (const Seen& input : seen) {
    const UserInput found{input.at, reinterpret_cast<WindowHandle>(WindowOf(input))};
    const Locked locked(heard.lock);
    if (heard.inputs.size() == Win32UserInputs::Heard::kKept) heard.inputs.erase(heard.inputs.begin());
    heard.inputs.push_back(found);
  }
  seen.clear();
}

DWORD WINAPI HookAndWait(LPVOID parameter) {
  const std::unique_ptr<std::shared_ptr<Win32UserInputs::Heard>> handed(
      static_cast<std::shared_ptr<Win32UserInputs::Heard>*>(parameter));
  const std::shared_ptr<Win32UserInputs::Heard> heard = *handed;
  std::vector<Seen> seen;
  seen.reserve(Win32UserInputs::Heard::kKept);
  seenOnThisThread = &seen;
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue the quit is posted to
  // The low-level hooks ask for a module, which Windows XP checks; the exe's serves.
  const HINSTANCE module = GetModuleHandleA(nullptr);
  const UniqueWindowsHook mouse(SetWindowsHookExA(WH_MOUSE_LL, MouseHeard, module, 0));
  const UniqueWindowsHook keys(SetWindowsHookExA(WH_KEYBOARD_LL, KeyHeard, module, 0));
  heard->hooked = mouse && keys;
  SetEvent(heard->started.get());
  if (!heard->hooked) return 1;
  // A hook is called as a sent message, inside the wait or the peek, which
  // then return: what it saw is handed on before the next wait.
  for (;;) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return 0;
    }
    HandOn(*heard, seen);
  }
}

// How long a start waits for the hooks, and a stop for the thread's end.
constexpr DWORD kThreadWait = 2000;

}  // namespace

bool Win32UserInputs::Watch() {
  if (thread_) return true;
  heard_ = std::make_shared<Heard>();
  auto handed = std::make_unique<std::shared_ptr<Heard>>(heard_);
  if (heard_->started) thread_.reset(CreateThread(nullptr, 0, HookAndWait, handed.get(), 0, &threadId_));
  if (!thread_) return false;
  handed.release();  // the thread owns it now
  if (WaitForSingleObject(heard_->started.get(), kThreadWait) == WAIT_OBJECT_0 && heard_->hooked) return true;
  StopWatching();
  return false;
}

void Win32UserInputs::StopWatching() {
  if (!thread_) return;
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  WaitForSingleObject(thread_.get(), kThreadWait);
  thread_.reset();
  heard_.reset();
}

void Win32UserInputs::Take(std::vector<UserInput>& into) {
  into.clear();
  if (!heard_) return;
  const Locked locked(heard_->lock);
  into.swap(heard_->inputs);
}

}  // namespace vandrel
