#pragma once
#include <windows.h>

namespace vandrel::test {

// Processor time (user and kernel) in milliseconds: what a wait that spins burns.
inline double Milliseconds(FILETIME kernel, FILETIME user) {
  const auto hundredNs = [](FILETIME time) {
    return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
  };
  return (hundredNs(kernel) + hundredNs(user)) / 10000.0;
}

inline double ThreadProcessorMs() {
  FILETIME created, exited, kernel, user;
  if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
  return Milliseconds(kernel, user);
}

inline double ProcessProcessorMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return Milliseconds(kernel, user);
}

}  // namespace vandrel::test
