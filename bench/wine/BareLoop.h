#pragma once
// The least a scan that reads everything would cost: the floor that the
// benchmarks under Wine measure the scan against.
#include <windows.h>

#include <vector>

#include "platform/Desktop.h"

namespace vandrel {

inline BOOL CALLBACK Collect(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

// The bare loop: every enumerated window's visibility, and the title, class
// and style of the visible ones.
struct BareLoop {
  std::vector<HWND> windows;
  char title[256];
  char className[kClassBufferSize];
  std::size_t visible = 0;
  void operator()() {
    windows.clear();
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    visible = 0;
    for (const HWND window : windows) {
      if (!IsWindowVisible(window)) continue;
      ++visible;
      GetWindowTextA(window, title, sizeof title);
      GetClassNameA(window, className, sizeof className);
      WINDOWINFO info{};
      info.cbSize = sizeof info;
      GetWindowInfo(window, &info);
    }
  }
};

}  // namespace vandrel
