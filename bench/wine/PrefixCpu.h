#pragma once
// The CPU time spent by every process of this Wine prefix (the wineserver,
// Wine's own services, the programs), read from Linux's /proc through
// Wine's Z: drive: a program's cost under Wine is mostly the server's.
#include <map>
#include <string>

namespace vandrel {

// Seconds of user and system time so far of one process, and its name as
// Linux gives it ("wineserver64", "Vandrel.exe").
struct ProcessCpu {
  std::string name;
  double seconds = 0;
};
// By Linux process id, the processes whose WINEPREFIX is this process's.
using CpuSample = std::map<int, ProcessCpu>;
CpuSample SamplePrefixCpu();

// The CPU seconds spent between two samples by the processes alive at the
// second (one that ended in between is not counted: take both while the
// programs measured run).
double CpuSecondsBetween(const CpuSample& before, const CpuSample& after);
// The same, by process name.
std::map<std::string, double> CpuSecondsByName(const CpuSample& before, const CpuSample& after);

}  // namespace vandrel
