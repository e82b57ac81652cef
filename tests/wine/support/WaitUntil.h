#pragma once
#include <windows.h>

namespace vandrel::test {

// Polls the predicate every few milliseconds until it holds or the time is up.
// Returns the predicate's last answer, so a test can assert on it.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs, DWORD pollMs = 10) {
  // Elapsed time in unsigned arithmetic stays right across the 49-day wrap.
  const DWORD start = GetTickCount();
  for (;;) {
    if (predicate()) return true;
    if (GetTickCount() - start >= timeoutMs) return predicate();
    Sleep(pollMs);
  }
}

}  // namespace vandrel::test
