#pragma once
#include "platform/SystemInfo.h"

namespace vandrel {

// Version, executable, command line and the ANSI upper-casing through kernel32
// and user32.
class Win32SystemInfo : public SystemInfo {
 public:
  std::optional<VersionRecord> Version() override;
  std::string ExecutablePath() override;
  std::string CommandLine() override;
  UpperCaseTable UpperCasing() override;
  LeadByteTable LeadBytes() override;
  void FailCriticalErrorsQuietly() override;
};

}  // namespace vandrel
