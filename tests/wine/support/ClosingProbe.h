#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win32/Handles.h"

namespace vandrel::test {

// A top-level window of the calling process (another program to Vandrel)
// that times the first WM_CLOSE it receives. Its thread must pump messages:
// WaitForClose does.
class ClosingProbe {
 public:
  // Made with WS_VISIBLE and its title at once, as a pop-up is; `shown`
  // false makes it hidden, to be shown later by Show().
  ClosingProbe(const std::string& className, const std::string& title, bool maximizeBox, bool shown = true);
  ClosingProbe(const ClosingProbe&) = delete;
  ClosingProbe& operator=(const ClosingProbe&) = delete;

  HWND Handle() const { return window_.get(); }
  // Shows the window now; the time to the close is counted from here.
  void Show();
  // Pumps this thread's messages until the first WM_CLOSE or the timeout:
  // the milliseconds from the window's creation (or Show()) to the close.
  std::optional<double> WaitForClose(DWORD timeoutMs);
  // Milliseconds from the creation (or Show()) to the moment the first
  // WM_CLOSE was posted (its message time, to the millisecond): under Wine a
  // close is often posted before CreateWindowEx has returned to the maker,
  // who handles it only then.
  std::optional<double> PostedAfter() const { return postedAfter_; }
  // Milliseconds that CreateWindowEx took.
  double CreationMs() const { return creationMs_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Started();

  double start_ = 0;
  DWORD startTick_ = 0;
  double creationMs_ = 0;
  std::optional<double> closedAt_;
  std::optional<double> postedAfter_;
  UniqueWindow window_;
};

// Milliseconds on the performance counter.
double NowMilliseconds();

// Handles this thread's messages until `done` holds or the time is up.
void PumpMessages(
    DWORD timeoutMs, const std::function<bool()>& done = [] { return false; });

}  // namespace vandrel::test
