// How long a click takes under Wine from SendInput to the window it goes
// to, with Vandrel's input hooks on against off in the same run, and with
// the thread that owns the hooks (the program's GUI thread) held busy by a
// long walk of a folder meanwhile. An empty low-level hook of the bench's
// own shows the floor that any such hook costs under Wine, where every
// input waits for a round trip to the hooking thread.
//   input_under_wine.exe [clicks a round]
// Exits non-zero when a goal is missed.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "WineTiming.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32UserInputs.h"

namespace {

using namespace vandrel;

constexpr int kRounds = 10;
constexpr DWORD kBusyMs = 2000;
constexpr double kRatioGoal = 1.1, kBusyGoalMs = 50;

// When a left button press reached the receiving window.
struct Arrival {
  UniqueHandle event{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
  double at = 0;
  HWND window = nullptr;
  UniqueHandle ready{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
};

LRESULT CALLBACK NoteArrival(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_LBUTTONDOWN) return DefWindowProcA(window, message, wParam, lParam);
  auto* arrival = reinterpret_cast<Arrival*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  arrival->at = NowMicroseconds();
  SetEvent(arrival->event.get());
  return 0;
}

// The receiving window, on a thread of its own as another program's would be.
DWORD WINAPI Receive(LPVOID parameter) {
  auto* arrival = static_cast<Arrival*>(parameter);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = NoteArrival;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "VandrelBenchReceiver";
  RegisterClassA(&windowClass);
  arrival->window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Receiver", WS_POPUP | WS_VISIBLE, 100,
                                    100, 200, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
  SetWindowLongPtrA(arrival->window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(arrival));
  SetEvent(arrival->ready.get());
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}

// Milliseconds from each injected press to its arrival, `count` presses a
// few milliseconds apart; a press that does not arrive within a second
// counts as a second.
std::vector<double> Clicks(Arrival& arrival, int count) {
  std::vector<double> samples;
  SetCursorPos(200, 200);
  for (int i = 0; i < count; ++i) {
    INPUT press[2]{};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const double sent = NowMicroseconds();
    SendInput(2, press, sizeof press[0]);
    const bool arrived = WaitForSingleObject(arrival.event.get(), 1000) == WAIT_OBJECT_0;
    samples.push_back(arrived ? (arrival.at - sent) / 1000 : 1000);
    Sleep(5);
  }
  return samples;
}

struct BusyClicks {
  Arrival* arrival;
  std::vector<double> samples;
};

DWORD WINAPI ClickWhileBusy(LPVOID parameter) {
  auto* busy = static_cast<BusyClicks*>(parameter);
  Sleep(200);  // the walk has begun
  busy->samples = Clicks(*busy->arrival, 60);
  return 0;
}

// The floor of any low-level hook under Wine: one that does nothing, on a
// thread of its own, until the thread is told to quit.
LRESULT CALLBACK PassOn(int code, WPARAM message, LPARAM data) { return CallNextHookEx(nullptr, code, message, data); }

DWORD WINAPI HookNothing(LPVOID ready) {
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
  const HHOOK hook = SetWindowsHookExA(WH_MOUSE_LL, PassOn, GetModuleHandleA(nullptr), 0);
  SetEvent(ready);
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
  }
  UnhookWindowsHookEx(hook);
  return 0;
}

// The GUI thread's long walk: the system folder listed again and again.
void WalkFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    WIN32_FIND_DATAA found;
    const UniqueFind walk(FindFirstFileA("C:\\windows\\system32\\*", &found));
    while (walk && FindNextFileA(walk.get(), &found)) {
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int clicks = argc > 1 ? std::atoi(argv[1]) : 30;
  Arrival arrival;
  const UniqueHandle receiver(CreateThread(nullptr, 0, Receive, &arrival, 0, nullptr));
  WaitForSingleObject(arrival.ready.get(), 5000);
  Win32UserInputs hooks;
  // Off and on in turn, so that the machine's drift weighs on both alike.
  std::vector<double> off, on, empty;
  std::vector<UserInput> heard;
  std::size_t heardCount = 0;
  for (int round = 0; round < kRounds; ++round) {
    hooks.StopWatching();
    const auto unhooked = Clicks(arrival, clicks);
    off.insert(off.end(), unhooked.begin(), unhooked.end());
    if (!hooks.Watch()) {
      std::printf("wine: the input hooks were refused\n");
      return 1;
    }
    const auto hooked = Clicks(arrival, clicks);
    on.insert(on.end(), hooked.begin(), hooked.end());
    hooks.Take(heard);
    heardCount += heard.size();
    hooks.StopWatching();
    const UniqueHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    DWORD emptyId = 0;
    const UniqueHandle emptyHook(CreateThread(nullptr, 0, HookNothing, ready.get(), 0, &emptyId));
    WaitForSingleObject(ready.get(), 5000);
    const auto floor = Clicks(arrival, clicks);
    empty.insert(empty.end(), floor.begin(), floor.end());
    PostThreadMessageA(emptyId, WM_QUIT, 0, 0);
    WaitForSingleObject(emptyHook.get(), 5000);
  }
  if (!hooks.Watch()) return 1;
  BusyClicks busy{&arrival, {}};
  const UniqueHandle clicker(CreateThread(nullptr, 0, ClickWhileBusy, &busy, 0, nullptr));
  WalkFor(kBusyMs);
  WaitForSingleObject(clicker.get(), 10000);
  hooks.StopWatching();
  PostMessageA(arrival.window, WM_QUIT, 0, 0);

  const double ratio = Median(on) / Median(off);
  const double busyLongest = *std::max_element(busy.samples.begin(), busy.samples.end());
  std::printf("wine: press to window, median of %zu: hooks off %.3f ms, on %.3f ms (heard %zu of %zu)\n", on.size(),
              Median(off), Median(on), heardCount, on.size());
  std::printf("wine: press to window with an empty low-level hook: median %.3f ms (ratio to off %.3f)\n", Median(empty),
              Median(empty) / Median(off));
  std::printf("wine: with the hooks' owner busy for %lu ms: median %.3f ms, longest %.3f ms of %zu presses\n",
              static_cast<unsigned long>(kBusyMs), Median(busy.samples), busyLongest, busy.samples.size());
  std::printf("ratio wine press hooks on/empty hook = %.3f\n", Median(on) / Median(empty));
  std::printf("ratio wine press hooks on/off = %.3f (goal: <= %.1f)\n", ratio, kRatioGoal);
  std::printf("ratio wine press while busy longest/goal = %.3f (goal: <= 1, %.0f ms)\n", busyLongest / kBusyGoalMs,
              kBusyGoalMs);
  return ratio <= kRatioGoal && busyLongest <= kBusyGoalMs && heardCount == on.size() ? 0 : 1;
}
