#pragma once
// The clock and the summary the benchmarks under Wine share.
#include <windows.h>

#include <algorithm>
#include <vector>

namespace vandrel {

// Microseconds on the performance counter.
inline double NowMicroseconds() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / frequency * 1e6;
}

inline double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

// How long the work took, in microseconds.
template <typename Work>
double MicrosecondsOf(Work&& work) {
  const double start = NowMicroseconds();
  work();
  return NowMicroseconds() - start;
}

}  // namespace vandrel
