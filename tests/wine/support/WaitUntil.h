#pragma once
#include <windows.h>

#include <cstdlib>

namespace vandrel::test {

// How much longer than usual a program under test may take: the 32-bit run
// emulates the 32-bit half of Wine (VANDREL_E2E_TIME_SCALE, default 1).
inline DWORD TimeScale() {
  static const DWORD scale = [] {
    const char* text = std::getenv("VANDREL_E2E_TIME_SCALE");
    const long value = text ? std::strtol(text, nullptr, 10) : 1;
    return value > 1 ? static_cast<DWORD>(value) : DWORD{1};
  }();
  return scale;
}

// Polls the predicate every few milliseconds until it holds or the time is up
// (stretched by TimeScale()). Returns the predicate's last answer, so a test
// can assert on it.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs, DWORD pollMs = 10) {
  timeoutMs *= TimeScale();
  // Elapsed time in unsigned arithmetic stays right across the 49-day wrap.
  const DWORD start = GetTickCount();
  for (;;) {
    if (predicate()) return true;
    if (GetTickCount() - start >= timeoutMs) return predicate();
    Sleep(pollMs);
  }
}

}  // namespace vandrel::test
