#pragma once
// Vandrel.exe started for a benchmark, with its main window up and waiting
// for input, until the benchmark is done with it.
#include <windows.h>

#include <string>

#include "Launch.h"

namespace vandrel::bench {

class RunningVandrel {
 public:
  explicit RunningVandrel(const std::string& path) : process_(test::Launch(path, {})) {
    for (int polls = 0; polls < 30000 && !main_; ++polls) {
      for (HWND window = FindWindowA("TZAVOClass", "Vandrel"); window && !main_;
           window = FindWindowExA(nullptr, window, "TZAVOClass", "Vandrel")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process_.Id()) main_ = window;
      }
      if (!main_) Sleep(1);
    }
    if (main_) WaitForInputIdle(process_.Handle(), 20000);
  }
  ~RunningVandrel() {
    if (main_) PostMessageA(main_, WM_QUIT, 0, 0);
    if (!process_.Wait(10000)) process_.Kill();
  }
  RunningVandrel(const RunningVandrel&) = delete;
  RunningVandrel& operator=(const RunningVandrel&) = delete;
  bool Started() const { return main_ != nullptr; }

 private:
  test::Process process_;
  HWND main_ = nullptr;
};

}  // namespace vandrel::bench
