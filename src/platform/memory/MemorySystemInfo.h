#pragma once
#include <optional>
#include <string>

#include "platform/SystemInfo.h"

namespace vandrel {

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
  UpperCaseTable UpperCasing() override;
  LeadByteTable LeadBytes() override { return leadBytes; }
};

}  // namespace vandrel
