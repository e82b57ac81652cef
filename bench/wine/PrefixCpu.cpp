#include "PrefixCpu.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/win32/Handles.h"

namespace vandrel {
namespace {

constexpr double kClockTicksPerSecond = 100.0;  // Linux's USER_HZ

// The whole of a /proc file (their sizes read as 0, so read to the end).
std::string ReadProcFile(const std::string& path) {
  const UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string text;
  if (!file) return text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  return text;
}

std::string PrefixEntry(const std::string& environment) {
  const std::string name = std::string("WINEPREFIX=");
  std::size_t at = environment.find(name);
  // Each entry ends with a NUL; the name must start one.
  while (at != std::string::npos && at != 0 && environment[at - 1] != '\0') at = environment.find(name, at + 1);
  if (at == std::string::npos) return {};
  return environment.substr(at, environment.find('\0', at) - at);
}

// The name, field 2 of stat, in parentheses that may hold blanks and more parentheses.
std::string NameOf(const std::string& stat) {
  const std::size_t open = stat.find('('), close = stat.rfind(')');
  return open == std::string::npos || close == std::string::npos || close < open
             ? std::string()
             : stat.substr(open + 1, close - open - 1);
}

// utime + stime, fields 14 and 15 of stat.
double CpuSecondsOf(const std::string& stat) {
  std::size_t at = stat.rfind(')');
  if (at == std::string::npos) return 0;
  const char* field = stat.c_str() + at + 2;  // field 3
  char* end = nullptr;
  long long ticks = 0;
  for (int index = 3; index <= 15 && *field; ++index) {
    const long long value = std::strtoll(field, &end, 10);
    if (index >= 14) ticks += value;
    if (end == field) {  // the state letter
      while (*field && *field != ' ') ++field;
    } else {
      field = end;
    }
    while (*field == ' ') ++field;
  }
  return static_cast<double>(ticks) / kClockTicksPerSecond;
}

}  // namespace

CpuSample SamplePrefixCpu() {
  static const std::string ours = PrefixEntry(ReadProcFile("Z:\\proc\\self\\environ"));
  CpuSample sample;
  WIN32_FIND_DATAA entry;
  const UniqueFind find(FindFirstFileA("Z:\\proc\\*", &entry));
  if (!find || ours.empty()) return sample;
  do {
    const int pid = std::atoi(entry.cFileName);
    if (pid <= 0) continue;
    const std::string folder = std::string("Z:\\proc\\") + entry.cFileName;
    if (PrefixEntry(ReadProcFile(folder + "\\environ")) != ours) continue;
    const std::string stat = ReadProcFile(folder + "\\stat");
    sample[pid] = {NameOf(stat), CpuSecondsOf(stat)};
  } while (FindNextFileA(find.get(), &entry));
  return sample;
}

std::map<std::string, double> CpuSecondsByName(const CpuSample& before, const CpuSample& after) {
  std::map<std::string, double> byName;
  for (const auto& [pid, now] : after) {
    const auto then = before.find(pid);
    byName[now.name] += now.seconds - (then == before.end() ? 0 : then->second.seconds);
  }
  return byName;
}

double CpuSecondsBetween(const CpuSample& before, const CpuSample& after) {
  double seconds = 0;
  for (const auto& [name, spent] : CpuSecondsByName(before, after)) seconds += spent;
  return seconds;
}

}  // namespace vandrel
