#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

namespace vandrel {

std::optional<VersionRecord> Win32SystemInfo::Version() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  // Deprecated for newer systems, but the program's decisions are made on
  // exactly what this call reports.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  const BOOL ok = GetVersionExA(&info);
#pragma GCC diagnostic pop
  if (!ok) return std::nullopt;
  return VersionRecord{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId,
                       info.szCSDVersion};
}

// The path may be longer than MAX_PATH; a full buffer means it was cut off.
std::string Win32SystemInfo::ExecutablePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string Win32SystemInfo::CommandLine() { return GetCommandLineA(); }

// SetErrorMode answers the mode it replaces: read by setting none, then
// set again with both flags added (GetErrorMode is Vista and later).
void Win32SystemInfo::FailCriticalErrorsQuietly() {
  SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

// Each byte alone: in a code page of two-byte characters a string of all
// bytes would pair a lead byte with the byte after it.
UpperCaseTable Win32SystemInfo::UpperCasing() {
  UpperCaseTable table{};
  for (std::size_t byte = 1; byte < table.size(); ++byte) {
    char character = static_cast<char>(byte);
    if (!IsDBCSLeadByte(static_cast<BYTE>(byte))) CharUpperBuffA(&character, 1);
    table[byte] = static_cast<unsigned char>(character);
  }
  return table;
}

LeadByteTable Win32SystemInfo::LeadBytes() {
  LeadByteTable table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte)
    table[byte] = IsDBCSLeadByte(static_cast<BYTE>(byte)) != FALSE;
  return table;
}

}  // namespace vandrel
