#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/EraseRefusal.h"
#include "platform/win32/HandleFileCalls.h"
#include "platform/win32/ProtectedFolders.h"

namespace vandrel {

// A folder as the file system knows it, the same whichever path reached
// it: 8.3 names, letter case, a link or junction leading to it, a share or
// a mapped drive of this machine (whose final path may read "\\?\UNC\...").
// XP has it too: GetFileInformationByHandle on a handle opened with
// FILE_FLAG_BACKUP_SEMANTICS.
struct FolderIdentity {
  DWORD volume = 0;
  DWORD indexHigh = 0;
  DWORD indexLow = 0;
  friend bool operator==(const FolderIdentity&, const FolderIdentity&) = default;
};

FolderIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information);

// The protected folders where they really lie, and every folder above them
// there, each by its identity. One of them that is there but cannot be
// opened could be any folder: every whole-folder delete is then refused.
class ProtectedIdentities {
 public:
  ProtectedIdentities(const std::vector<ProtectedFolder>& folders, const HandleFileCalls& calls);
  // Why a whole-folder delete of this folder is refused (kept: into the
  // folders given), or Kind::None. where: where the folder really lies;
  // each folder above it there is opened and told by what it is, as a
  // user's own files reached through a link or a share hold it too.
  Refusal Find(const FolderIdentity& folder, const FullPath& where) const;

 private:
  struct Place {
    FolderIdentity identity;
    std::size_t kept;
    bool above;
    bool withInside;  // a user's own files: every folder inside is kept too
  };
  // Adds the folder at path; false when it is there but cannot be opened.
  bool Add(const std::wstring& path, std::size_t kept, bool above, bool withInside, const HandleFileCalls& calls,
           std::optional<FullPath>* where);

  std::vector<Place> places_;
  std::optional<std::size_t> unreadable_;
};

}  // namespace vandrel
