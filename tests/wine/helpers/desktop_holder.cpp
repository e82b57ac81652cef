// Holds the test run's desktop open from one test program to the next.
// Wine 8 closes a desktop a second after, as a thread on it ends, the threads
// counted on it fall to as many as its desktop process runs. The end of a
// test program lets them fall through that number, so the next program would
// start while one desktop is being closed and another made, and could land
// on the closed one, where Vandrel rightly ends at once. A user's desktop is
// never closed so. This program keeps idle threads on the desktop, standing
// for a user's other programs, and starts a thread on it four times a second:
// a thread that joins the desktop cancels a close Wine has armed.
//   desktop_holder          holds the desktop until the Wine server ends
//                           (ends at once when another already holds it)
//   desktop_holder wait     waits until the desktop is held: exit code 0,
//                           or 1 after 60 s
#include <windows.h>

#include <cstring>

namespace {

// Made when the holder starts, set once its threads are on the desktop.
constexpr const char* kHeldEvent = "VandrelTestDesktopHeld";
constexpr int kIdleThreads = 8;
constexpr DWORD kBeatMilliseconds = 250;
constexpr DWORD kWaitMilliseconds = 60000;

DWORD WINAPI Idle(void*) {
  Sleep(INFINITE);
  return 0;
}

DWORD WINAPI Beat(void*) { return 0; }

int Hold() {
  const HANDLE held = CreateEventA(nullptr, TRUE, FALSE, kHeldEvent);
  if (!held || GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  // The process takes its desktop at its first call that needs one; each
  // thread made after that is counted on it from its start.
  GetDesktopWindow();
  for (int i = 0; i < kIdleThreads; ++i) {
    const HANDLE thread = CreateThread(nullptr, 0, Idle, nullptr, 0, nullptr);
    if (!thread) return 1;
    CloseHandle(thread);
  }
  SetEvent(held);
  for (;;) {
    Sleep(kBeatMilliseconds);
    if (const HANDLE beat = CreateThread(nullptr, 0, Beat, nullptr, 0, nullptr)) {
      WaitForSingleObject(beat, INFINITE);
      CloseHandle(beat);
    }
  }
}

int WaitUntilHeld() {
  const DWORD start = GetTickCount();
  HANDLE held = nullptr;
  while (!(held = OpenEventA(SYNCHRONIZE, FALSE, kHeldEvent))) {
    if (GetTickCount() - start >= kWaitMilliseconds) return 1;
    Sleep(50);
  }
  const DWORD waited = GetTickCount() - start;
  const bool set = WaitForSingleObject(held, waited >= kWaitMilliseconds ? 0 : kWaitMilliseconds - waited) == WAIT_OBJECT_0;
  CloseHandle(held);
  return set ? 0 : 1;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  return std::strcmp(commandLine, "wait") == 0 ? WaitUntilHeld() : Hold();
}
