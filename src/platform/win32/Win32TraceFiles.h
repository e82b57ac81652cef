#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/EraseRefusal.h"
#include "platform/FullPath.h"
#include "platform/TraceFiles.h"
#include "platform/win32/FolderIdentity.h"
#include "platform/win32/HandleFileCalls.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// The erase steps' deletes and index wipes through kernel32. Every entry is
// opened without following a link, and deleted through that handle only
// when the handle resolves to the entry's own place in the folder being
// cleaned, which stays open meanwhile; anything else is counted and left.
class Win32TraceFiles : public TraceFiles {
 public:
  using ProtectedFoldersReader = std::function<std::vector<ProtectedFolder>()>;
  explicit Win32TraceFiles(ProtectedFoldersReader readProtected = ReadProtectedFolders)
      : readProtected_(std::move(readProtected)) {}

  DeleteCounts DeleteTree(const std::string& folder, const DeleteProgress& progress) override;
  DeleteCounts DeleteMatching(const std::string& folder, const std::string& mask, const KeptNames& kept,
                              const DeleteProgress& progress) override;
  WipeOutcome WipeIndexFile(const std::string& file) override;
  DeleteCounts RemoveLinksInside(const std::string& folder, const DeleteProgress& progress) override;
  bool IndexIsWiped(const std::string& file) override;
  ContainerIndex ContainerIndexOf(const std::string& folder) override;

  // What a folder listing keeps of an entry.
  struct Found {
    std::wstring name;
    DWORD attributes;
    DWORD reparseTag;  // 0 where the listing tells none
  };

 protected:
  void ForgetProtectedFolders() override { protected_.reset(); }

 private:
  struct Walk;
  // The protected folders as a delete compares them: by spelling, and
  // (found when first needed) by identity.
  struct ProtectedPlaces {
    std::vector<ProtectedFolder> kept;
    std::vector<KeptFolder> spellings;
    std::optional<ProtectedIdentities> identities;
  };
  // Read now, or kept from an earlier delete while they are held.
  ProtectedPlaces& Protected();
  const ProtectedIdentities& Identities(ProtectedPlaces& places) const;
  // A folder a delete may work in, held open (see OpenItself), with where
  // it really lies.
  struct Judged {
    UniqueFileHandle root;
    std::wstring path;
    FullPath where;
  };
  // Every check a delete of stepMask in folder makes before it touches
  // anything; nothing when the delete must not go in (counted and told in
  // the walk). A whole tree that is a link is removed as the link here.
  std::optional<Judged> Judge(const std::string& folder, const std::string& stepMask, bool andItself, Walk& walk);
  DeleteCounts DeleteFolder(const std::string& folder, const std::string& mask, const KeptNames& kept, bool andItself,
                            const DeleteProgress& progress);
  struct Folder;
  // The folder's tree, folder by folder on a stack of the walk's own, down
  // to kMaxWalkDepth. The caller holds the folder open meanwhile.
  // kept: what the step's own folder keeps (its desktop.ini ...); a
  // subfolder goes with everything in it.
  void DeleteEntries(Walk& walk, FullPath where, const std::wstring& mask, const KeptNames& kept);
  // The entry at walk.path, found in the folder in; a subfolder to empty
  // next is handed back, held.
  std::optional<Folder> DeleteEntry(Walk& walk, const Folder& in, const Found& found, const KeptNames* kept);
  // A subfolder the walk has emptied as far as it could.
  void LeaveFolder(Walk& walk, Folder& left);
  bool RemoveEmptiedFolder(const std::wstring& path, const FullPath& emptied) const;
  bool RemoveLink(HANDLE link, const FullPath& where, const std::string& name) const;
  bool RemoveNamedLink(const FullPath& path) const;
  // The links in the tree of the folder, which lies at where.
  void RemoveLinksBelow(Walk& walk, FullPath where) const;

  HandleFileCalls calls_;
  ProtectedFoldersReader readProtected_;
  std::optional<ProtectedPlaces> protected_;
};

// The index file at path holds what a wipe leaves; read only, and false
// when it is not there or cannot be read.
bool ReadsAsWipedIndex(const std::string& path);

}  // namespace vandrel
