#pragma once
#include <windows.h>

#include <string>

namespace vandrel::test {

// The frames' addresses as the program under test reads them from the
// shell's list of browser windows. Wine's list never names one, so while
// this lives the list's class points (TreatAs) at the tests' stand-in, a
// library the program loads that serves the addresses given here, in the
// registry view of the program's own bitness.
class BrowserAddresses {
 public:
  BrowserAddresses();
  ~BrowserAddresses();  // the list as every test starts with it
  BrowserAddresses(const BrowserAddresses&) = delete;
  BrowserAddresses& operator=(const BrowserAddresses&) = delete;

  // False when the stand-in could not be pointed at (see the constructor).
  bool Ready() const { return ready_; }
  // Read by the program when it next asks the list.
  [[nodiscard]] bool Set(HWND frame, const std::string& address);
  // The frame answers for its address `milliseconds` late, as a busy browser does.
  [[nodiscard]] bool Delay(HWND frame, DWORD milliseconds);
  // How many lists the stand-in has made, in every program, ever.
  DWORD ListsMade() const;

 private:
  bool ready_ = false;
};

// The shell's list as every test starts with it: Wine's own, or in the
// 32-bit run under qemu (VANDREL_E2E_SHELL_WINDOWS=off) one that nobody
// serves; no stand-in addresses left from an earlier test.
void RestoreShellWindows();

}  // namespace vandrel::test
