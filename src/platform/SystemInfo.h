#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace vandrel {

// The parts of the operating system's version record the program reads.
struct VersionRecord {
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::uint32_t platformId = 0;  // 1: Windows 95 family, 2: NT family
  std::string servicePack;       // szCSDVersion
};

// The system's single-byte upper-casing of all 256 byte values.
using UpperCaseTable = std::array<unsigned char, 256>;
// The byte values that begin a character of two bytes in the user's ANSI
// code page (none in a code page of single bytes).
using LeadByteTable = std::array<bool, 256>;

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // Nothing when the version query fails.
  virtual std::optional<VersionRecord> Version() = 0;
  virtual std::string ExecutablePath() = 0;
  // The whole command line, program name first, as the system passed it.
  virtual std::string CommandLine() = 0;
  // The ANSI upper-casing of the user's locale, byte by byte.
  virtual UpperCaseTable UpperCasing() = 0;
  virtual LeadByteTable LeadBytes() = 0;
  // From now on a file call that meets a drive without its medium (or
  // another critical error) fails with its error instead of raising the
  // system's box: nobody may be there to answer it, and an erase would wait
  // for it with its lock held.
  virtual void FailCriticalErrorsQuietly() = 0;
};

}  // namespace vandrel
