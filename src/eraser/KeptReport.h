#pragma once
#include <optional>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace vandrel {

inline constexpr const char* kKeptReportFolder = "Vandrel";
inline constexpr const char* kKeptReportName = "erase-report.txt";
inline constexpr const char* kReportNotKept = "The erase report could not be kept: ";

// The last erase's report, kept in the user's application data folder so
// that "Erase report" shows it whoever ran the erase: the main window, the
// tray, or Vandrel.exe Erase from a script or at log-on. A limited user's
// program folder may not be writable; that folder always is.
class KeptReport {
 public:
  KeptReport(FileSystem& files, Shell& shell) : files_(files), shell_(shell) {}

  // Replaces the kept report whole, as the block list's file is replaced.
  // Throws PlatformError when the folder or the file cannot be written;
  // the text is then held here instead, with why, until a later save is
  // kept, here or by another process.
  void Save(const std::string& text);
  // The newest report: the last one this process could not keep, said so
  // first, while the kept file is still what it was then; else the kept
  // one; nothing when none was kept. Throws PlatformError when it is there
  // but cannot be read and none is held here.
  std::optional<std::string> Load();
  // %APPDATA%\Vandrel\erase-report.txt in UTF-8; empty when the
  // application data folder is not known.
  std::string Path();

 private:
  struct NotKept {
    std::string text;                     // as the box shows it: why first
    std::optional<std::string> fileThen;  // the kept file when the save failed
  };
  std::optional<std::string> ReadKept();

  FileSystem& files_;
  Shell& shell_;
  std::optional<NotKept> notKept_;
};

}  // namespace vandrel
