#pragma once
// The CPU time spent by every process of this Wine prefix (the wineserver,
// Wine's own services, the programs), read from Linux's /proc through
// Wine's Z: drive: a program's cost under Wine is mostly the server's.
#include <map>

namespace vandrel {

// Seconds of user and system time so far, by Linux process id, of the
// processes whose WINEPREFIX is this process's.
using CpuSample = std::map<int, double>;
CpuSample SamplePrefixCpu();

// The CPU seconds spent between two samples by the processes alive at the
// second (one that ended in between is not counted: take both while the
// programs measured run).
double CpuSecondsBetween(const CpuSample& before, const CpuSample& after);

}  // namespace vandrel
