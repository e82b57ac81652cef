#pragma once
#include <optional>
#include <string>

#include "platform/SystemInfo.h"

namespace vandrel {

// The ANSI code pages the tests run in, as Windows reports them: 1252, and
// 932, 936, 949 and 950 of characters of two bytes (the lead-byte ranges of
// GetCPInfo; their characters of one byte upper-case only a-z). Any other
// number gives 1252.
UpperCaseTable UpperCasingOfCodePage(unsigned codePage);
LeadByteTable LeadBytesOfCodePage(unsigned codePage);

// System facts set by the test. Upper-casing follows code page 1252.
class MemorySystemInfo : public SystemInfo {
 public:
  std::optional<VersionRecord> version = VersionRecord{5, 1, 2600, 2, "Service Pack 3"};
  std::string executablePath = "C:\\Program Files\\Vandrel\\Vandrel.exe";
  std::string commandLine = "\"C:\\Program Files\\Vandrel\\Vandrel.exe\"";
  LeadByteTable leadBytes{};  // a code page of single bytes unless a test says otherwise

  std::optional<VersionRecord> Version() override { return version; }
  std::string ExecutablePath() override { return executablePath; }
  std::string CommandLine() override { return commandLine; }
  UpperCaseTable UpperCasing() override { return UpperCasingOfCodePage(1252); }
  LeadByteTable LeadBytes() override { return leadBytes; }
  void FailCriticalErrorsQuietly() override { criticalErrorsQuiet = true; }
  bool criticalErrorsQuiet = false;
};

}  // namespace vandrel
