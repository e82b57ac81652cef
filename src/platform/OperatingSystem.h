#pragma once
#include <optional>

#include "platform/SystemInfo.h"

namespace vandrel {

// The Windows version code: 0 Windows 95, 1 Windows 98, 2 Windows 98 SE,
// 3 Windows Me, 4 NT 4 and older, 5 Windows 2000, 6 XP, 7 Server 2003,
// 8 Vista; -1 for anything else or when the version query failed.
int GetOperatingSystem(const std::optional<VersionRecord>& version);

inline constexpr int kWindowsXp = 6;
inline constexpr int kWindows2000 = 5;

}  // namespace vandrel
