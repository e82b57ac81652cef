#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/FullPath.h"
#include "platform/TraceFiles.h"
#include "platform/win32/HandleFileCalls.h"

namespace vandrel {

// The erase steps' deletes and index wipes through kernel32. Every entry is
// opened without following a link, and deleted through that handle only
// when the handle resolves to the entry's own place in the folder being
// cleaned, which stays open meanwhile; anything else is counted and left.
class Win32TraceFiles : public TraceFiles {
 public:
  DeleteCounts DeleteTree(const std::string& folder, const DeleteProgress& progress) override;
  DeleteCounts DeleteMatching(const std::string& folder, const std::string& mask, bool keepDesktopIni,
                              const DeleteProgress& progress) override;
  WipeOutcome WipeIndexFile(const std::string& file) override;

  // What a folder listing keeps of an entry.
  struct Found {
    std::wstring name;
    DWORD attributes;
  };
  // The folders RefusesDeleteFiles keeps, in their comparable spelling.
  std::vector<std::string> ProtectedFolders() const;

 private:
  struct Walk;
  DeleteCounts DeleteFolder(const std::string& folder, const std::string& mask, bool keepDesktopIni, bool andItself,
                            const DeleteProgress& progress);
  // The caller holds the folder open meanwhile. keepDesktopIni: the step's
  // own folder keeps its desktop.ini; a subfolder goes with everything in it.
  void DeleteEntries(Walk& walk, const FullPath& where, const std::wstring& mask, bool keepDesktopIni);
  void DeleteEntry(Walk& walk, const FullPath& where, const Found& found, bool keepDesktopIni);
  bool RemoveEmptiedFolder(const std::wstring& path, const FullPath& emptied) const;
  bool RemoveLink(HANDLE link, const FullPath& where, const std::string& name) const;
  bool RemoveNamedLink(const FullPath& path) const;

  HandleFileCalls calls_;
};

}  // namespace vandrel
