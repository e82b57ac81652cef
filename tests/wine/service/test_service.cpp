// A service of the tests' own. It reports START_PENDING with a check point
// and a wait hint, then RUNNING; on STOP it reports STOP_PENDING, then
// STOPPED. Each pending phase advances its check point every 200 ms, five
// times, or, when the start arguments name an event for it (argument 1 for
// the start, 2 for the stop), until that event is set, so a test can hold
// the service in the pending state for as long as it looks.
#include <windows.h>

#include <string>

namespace {

constexpr DWORD kStepMs = 200;
constexpr int kSteps = 5;
constexpr DWORD kHoldLimitMs = 60000;

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopRequested = nullptr;
std::string holdStop;

void Report(DWORD state, DWORD checkPoint, DWORD waitHint) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  status.dwCheckPoint = checkPoint;
  status.dwWaitHint = waitHint;
  SetServiceStatus(statusHandle, &status);
}

// Reports `state` with a rising check point while the phase lasts.
void Pending(DWORD state, const std::string& holdEvent) {
  HANDLE hold = holdEvent.empty() ? nullptr : OpenEventA(SYNCHRONIZE, FALSE, holdEvent.c_str());
  DWORD checkPoint = 1;
  Report(state, checkPoint, 3000);
  if (hold) {
    for (DWORD waited = 0; waited < kHoldLimitMs; waited += kStepMs) {
      if (WaitForSingleObject(hold, kStepMs) == WAIT_OBJECT_0) break;
      Report(state, ++checkPoint, 3000);
    }
    CloseHandle(hold);
    return;
  }
  for (int step = 0; step < kSteps; ++step) {
    Sleep(kStepMs);
    Report(state, ++checkPoint, 3000);
  }
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*) {
  if (control == SERVICE_CONTROL_STOP) {
    Report(SERVICE_STOP_PENDING, 1, 3000);
    SetEvent(stopRequested);
  }
  return NO_ERROR;
}

void WINAPI ServiceMain(DWORD argc, char** argv) {
  statusHandle = RegisterServiceCtrlHandlerExA(argc > 0 ? argv[0] : "", Handler, nullptr);
  if (!statusHandle) return;
  stopRequested = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Pending(SERVICE_START_PENDING, argc > 1 ? argv[1] : "");
  if (argc > 2) holdStop = argv[2];
  Report(SERVICE_RUNNING, 0, 0);
  WaitForSingleObject(stopRequested, INFINITE);
  Pending(SERVICE_STOP_PENDING, holdStop);
  Report(SERVICE_STOPPED, 0, 0);
}

}  // namespace

int main() {
  char name[] = "";
  SERVICE_TABLE_ENTRYA table[] = {{name, ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : static_cast<int>(GetLastError());
}
