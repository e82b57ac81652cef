#include "platform/win32/Win32TraceFiles.h"

#include "platform/EraseRefusal.h"
#include "platform/NameMask.h"
#include "platform/win32/ComparableSpelling.h"
#include "platform/win32/ContainerIndexRead.h"
#include "platform/win32/FolderIdentity.h"
#include "platform/win32/Handles.h"
#include "platform/win32/NotThereErrors.h"
#include "platform/win32/PathLinks.h"
#include "platform/win32/WidePath.h"

namespace vandrel {
namespace {

constexpr DWORD kOpenItself = FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS;

// A folder is held while the delete works inside it without DELETE access
// (which would stop the deletes inside, under Wine) and without
// FILE_SHARE_DELETE, so no other program can move it or put a link in its
// place meanwhile. Files and emptied folders are opened to be deleted.
UniqueFileHandle OpenItself(const std::wstring& path, bool toHold) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (toHold ? 0 : FILE_SHARE_DELETE);
  const DWORD access = FILE_READ_ATTRIBUTES | (toHold ? 0 : DELETE | FILE_WRITE_ATTRIBUTES);
  return UniqueFileHandle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, kOpenItself, nullptr));
}

FullPath Below(FullPath folder, const std::string& name) {
  folder.names.push_back(name);
  return folder;
}

// Every entry of the folder matching mask, read before anything is deleted
// and without holding the search across the caller's callbacks.
bool ListEntries(const std::wstring& pattern, std::vector<Win32TraceFiles::Found>& entries) {
  WIN32_FIND_DATAW found;
  const UniqueFind search(FindFirstFileW(pattern.c_str(), &found));
  if (!search) return GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_NO_MORE_FILES;
  do {
    const std::wstring_view name = found.cFileName;
    // The reparse tag, where there is one, is in dwReserved0 (0 under Wine).
    if (name != L"." && name != L"..") entries.push_back({std::wstring(name), found.dwFileAttributes, found.dwReserved0});
  } while (FindNextFileW(search.get(), &found));
  return GetLastError() == ERROR_NO_MORE_FILES;
}

constexpr DWORD kBlocksDelete = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

// A folder a walk is in, with its entries read before any goes.
struct Win32TraceFiles::Folder {
  Folder(UniqueFileHandle heldOpen, FullPath at) : held(std::move(heldOpen)), where(std::move(at)) {}

  UniqueFileHandle held;       // a subfolder being emptied, held while the walk is in it; the caller holds the step's
  FullPath where;              // where it really lies
  std::size_t level = 0;       // below the step's folder, which is 0
  std::size_t pathLength = 0;  // of its path, at the start of the walk's path
  std::size_t skippedBefore = 0;  // the count when the walk went in
  std::vector<Found> entries;
  std::size_t next = 0;

  // Its subfolders lie at most kMaxWalkDepth below the step's folder.
  bool MayEnterSubfolders() const { return level < kMaxWalkDepth; }
};

struct Win32TraceFiles::Walk {
  const DeleteProgress& progress;
  DeleteCounts counts;
  // The entry at hand, as opened: its folder's path, which every entry of
  // the folder shares, then its name.
  std::wstring path;

  void Removed() {
    ++counts.removed;
    if (progress.removed) progress.removed(counts.removed);
  }

  // The tree of the folder at root, folder by folder on a stack of its own
  // (a tree deep enough would end a walk that recursed with the end of the
  // thread's stack): enter(folder, found) is called for each entry after
  // the pump, with path the entry's, and hands back a subfolder to go into
  // (only where MayEnterSubfolders); leave(folder) when a subfolder is
  // done. A pump that throws leaves the walk, every folder held released.
  template <typename Enter, typename Leave>
  void Tree(FullPath root, std::wstring_view mask, Enter enter, Leave leave) {
    path = WidePathOf(root);
    std::vector<Folder> folders;  // root, then each subfolder in the one before
    folders.emplace_back(UniqueFileHandle(), std::move(root));
    folders.back().pathLength = path.size();
    List(folders.back(), mask);
    while (!folders.empty()) {
      Folder& folder = folders.back();
      if (folder.next == folder.entries.size()) {
        if (folders.size() > 1) leave(folder);
        folders.pop_back();
        continue;
      }
      const Found& found = folder.entries[folder.next++];
      if (progress.pump) progress.pump();
      path.resize(folder.pathLength);
      path += L'\\';
      path += found.name;
      std::optional<Folder> inside = enter(folder, found);
      if (!inside) continue;
      inside->level = folder.level + 1;
      inside->pathLength = path.size();
      inside->skippedBefore = counts.skipped;
      List(*inside, L"*");
      folders.push_back(std::move(*inside));
    }
  }

 private:
  // The entries of the folder whose path path holds.
  void List(Folder& folder, std::wstring_view mask) {
    path += L'\\';
    path += mask;
    if (!ListEntries(path, folder.entries)) ++counts.skipped;
    path.resize(folder.pathLength);
  }
};

DeleteCounts Win32TraceFiles::DeleteTree(const std::string& folder, const DeleteProgress& progress) {
  return DeleteFolder(folder, "*", false, true, progress);
}

DeleteCounts Win32TraceFiles::DeleteMatching(const std::string& folder, const std::string& mask, const KeptNames& kept,
                                             const DeleteProgress& progress) {
  return DeleteFolder(folder, mask, kept, false, progress);
}

DeleteCounts Win32TraceFiles::DeleteFolder(const std::string& folder, const std::string& mask, const KeptNames& kept,
                                           bool andItself, const DeleteProgress& progress) {
  Walk walk{progress, {}, {}};
  std::optional<Judged> judged = Judge(folder, andItself ? "*" : mask, andItself, walk);
  if (!judged) return walk.counts;
  DeleteEntries(walk, judged->where, WideFromUtf8(mask), kept);
  if (andItself) {
    judged->root.reset();
    if (walk.counts.skipped == 0 && RemoveEmptiedFolder(judged->path, judged->where)) {
      walk.Removed();
    } else {
      ++walk.counts.skipped;
    }
  }
  return walk.counts;
}

Win32TraceFiles::ProtectedPlaces& Win32TraceFiles::Protected() {
  if (!protected_ || !KeepingProtectedFolders()) {
    protected_.emplace(ProtectedPlaces{readProtected_(), {}, std::nullopt});
    for (const ProtectedFolder& folder : protected_->kept) {
      protected_->spellings.push_back({ComparableSpelling(folder.path), folder.withInside});
    }
  }
  return *protected_;
}

const ProtectedIdentities& Win32TraceFiles::Identities(ProtectedPlaces& places) const {
  if (!places.identities) places.identities.emplace(places.kept, calls_);
  return *places.identities;
}

std::optional<Win32TraceFiles::Judged> Win32TraceFiles::Judge(const std::string& folder, const std::string& stepMask,
                                                              bool andItself, Walk& walk) {
  ProtectedPlaces& places = Protected();
  const std::vector<ProtectedFolder>& kept = places.kept;
  const std::vector<KeptFolder>& spellings = places.spellings;
  // Counts and tells a refusal; false when there is none.
  const auto refused = [&](const Refusal& refusal) {
    if (refusal.kind == Refusal::Kind::None) return false;
    const bool namesKept = refusal.kind == Refusal::Kind::IsProtected ||
                           refusal.kind == Refusal::Kind::HoldsProtected ||
                           refusal.kind == Refusal::Kind::InsideProtected ||
                           (refusal.kind == Refusal::Kind::CannotTell && refusal.kept < kept.size());
    walk.counts.refused = true;
    walk.counts.refusal = RefusalText(refusal, folder, namesKept ? Utf8FromWide(kept[refusal.kept].path) : "",
                                      namesKept ? kept[refusal.kept].what : "");
    return true;
  };
  // Compared in one spelling: the folder as the step names it, then where
  // it really lies (a link above it, or XP's name as opened, may hide a
  // protected folder).
  const auto bySpelling = [&](const std::wstring& path) {
    return FindRefusal(ComparableSpelling(path), stepMask, spellings);
  };
  const std::wstring named = WideFromUtf8(folder);
  const auto asked = ParseFullPath(folder);
  if (refused(bySpelling(named)) || (!asked && refused({Refusal::Kind::NoPlace}))) return std::nullopt;
  const std::wstring path = WidePathOf(*asked);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    walk.counts.unreachable = IsNetworkUnreachable(GetLastError());
    return std::nullopt;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  if (PassesThroughLink(*asked)) {
    walk.counts.rootWasLink = true;
    return std::nullopt;
  }
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    // A tree that is a link goes as the link alone; a folder to be emptied
    // that is one is left with what it leads to.
    if (andItself && RemoveNamedLink(*asked)) {
      walk.Removed();
    } else {
      walk.counts.rootWasLink = true;
    }
    return std::nullopt;
  }
  Judged judged{OpenItself(path, true), path, {}};
  BY_HANDLE_FILE_INFORMATION information;
  if (!judged.root || !GetFileInformationByHandle(judged.root.get(), &information)) {
    ++walk.counts.skipped;
    return std::nullopt;
  }
  if (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    walk.counts.rootWasLink = true;
    return std::nullopt;
  }
  // Where the folder cannot be told, nothing in it is. The same folder
  // under another name (a link or junction leading to it, a share or a
  // mapped drive of this machine) is told by what it is.
  const auto where = calls_.FinalPath(judged.root.get());
  if ((!where && refused({Refusal::Kind::CannotTell, kept.size()})) || refused(bySpelling(WidePathOf(*where))) ||
      (MatchesEverything(stepMask) && refused(Identities(places).Find(IdentityOf(information), *where)))) {
    return std::nullopt;
  }
  judged.where = *where;
  return judged;
}

void Win32TraceFiles::DeleteEntries(Walk& walk, FullPath where, const std::wstring& mask, const KeptNames& kept) {
  walk.Tree(
      std::move(where), mask,
      [&](const Folder& in, const Found& found) {
        // A subfolder goes whole, its desktop.ini too.
        return DeleteEntry(walk, in, found, in.level == 0 ? &kept : nullptr);
      },
      [&](Folder& left) { LeaveFolder(walk, left); });
}

std::optional<Win32TraceFiles::Folder> Win32TraceFiles::DeleteEntry(Walk& walk, const Folder& in, const Found& found,
                                                                    const KeptNames* kept) {
  const std::string name = Utf8FromWide(found.name);
  const bool folder = found.attributes & FILE_ATTRIBUTE_DIRECTORY;
  if (kept && kept->Keeps(name, folder)) return std::nullopt;

  const bool link = found.attributes & FILE_ATTRIBUTE_REPARSE_POINT;
  UniqueFileHandle item = OpenItself(walk.path, folder && !link);
  BY_HANDLE_FILE_INFORMATION information;
  const auto stays = [&] {
    ++walk.counts.skipped;
    return std::nullopt;
  };
  if (!item || !GetFileInformationByHandle(item.get(), &information)) return stays();
  if (link || (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    if (!RemoveLink(item.get(), in.where, name)) return stays();
    walk.Removed();
    return std::nullopt;
  }
  // A file link looks like a plain file: only where it leads tells.
  auto final = calls_.FinalPath(item.get());
  const bool isFolder = information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  if (!final || !IsEntryOf(*final, in.where, name) || isFolder != folder) return stays();
  if (isFolder) {
    // Deeper than the walk goes, it stays with all it holds.
    if (!in.MayEnterSubfolders()) return stays();
    return Folder(std::move(item), std::move(*final));
  }
  const bool cleared = information.dwFileAttributes & kBlocksDelete;
  if (cleared && !calls_.ClearAttributes(item.get())) return stays();
  if (!calls_.MarkForDeletion(item.get())) {
    // A file that stays (a running program's, say) keeps what it was.
    if (cleared) calls_.SetAttributes(item.get(), information.dwFileAttributes);
    return stays();
  }
  walk.Removed();
  return std::nullopt;
}

void Win32TraceFiles::LeaveFolder(Walk& walk, Folder& left) {
  left.held.reset();
  walk.path.resize(left.pathLength);
  if (walk.counts.skipped == left.skippedBefore && RemoveEmptiedFolder(walk.path, left.where)) {
    walk.Removed();
  } else {
    ++walk.counts.skipped;  // the folder keeps what could not go
  }
}

// Opens the folder again, now to delete it, and deletes it when it is still
// the folder that was emptied.
bool Win32TraceFiles::RemoveEmptiedFolder(const std::wstring& path, const FullPath& emptied) const {
  const UniqueFileHandle folder = OpenItself(path, false);
  BY_HANDLE_FILE_INFORMATION information;
  if (!folder || !GetFileInformationByHandle(folder.get(), &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return false;
  }
  const auto final = calls_.FinalPath(folder.get());
  return final && IsSameOrBelow(*final, emptied) && final->names.size() == emptied.names.size() &&
         calls_.MarkForDeletion(folder.get());
}

// The link at path, removed through its own handle when it lies in its
// folder as named.
bool Win32TraceFiles::RemoveNamedLink(const FullPath& path) const {
  if (path.names.empty()) return false;
  FullPath folder = path;
  const std::string name = folder.names.back();
  folder.names.pop_back();
  const UniqueFileHandle held = OpenItself(WidePathOf(folder), true);
  const auto where = held ? calls_.FinalPath(held.get()) : std::nullopt;
  const UniqueFileHandle link = OpenItself(WidePathOf(path), false);
  return where && link && RemoveLink(link.get(), *where, name);
}

// Only a handle that is the link itself (it carries the reparse attribute)
// may remove it: under Wine the handle leads to the target, which stays.
bool Win32TraceFiles::RemoveLink(HANDLE link, const FullPath& where, const std::string& name) const {
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(link, &information) ||
      !(information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    return false;
  }
  const auto final = calls_.FinalPath(link);
  return final && IsEntryOf(*final, where, name) && calls_.MarkForDeletion(link);
}

DeleteCounts Win32TraceFiles::RemoveLinksInside(const std::string& folder, const DeleteProgress& progress) {
  // Judged as a delete of everything in it is, before any link is touched:
  // a container set onto the documents or the profile keeps its links.
  Walk walk{progress, {}, {}};
  if (const std::optional<Judged> judged = Judge(folder, "*", false, walk)) RemoveLinksBelow(walk, judged->where);
  return walk.counts;
}

ContainerIndex Win32TraceFiles::ContainerIndexOf(const std::string& folder) {
  // Judged as a delete of everything in it is, then read where it really
  // lies while it is held.
  const DeleteProgress quiet;
  Walk walk{quiet, {}, {}};
  const std::optional<Judged> judged = Judge(folder, "*", false, walk);
  if (!judged) return walk.counts.skipped > 0 ? ContainerIndex::Unreadable : ContainerIndex::NotEntered;
  return ReadContainerIndex(WidePathOf(judged->where));
}

void Win32TraceFiles::RemoveLinksBelow(Walk& walk, FullPath where) const {
  const auto look = [&](const Folder& in, const Found& found) -> std::optional<Folder> {
    const std::string name = Utf8FromWide(found.name);
    // Looked at only: a file held by the library or the browser stays open
    // to them, and a folder walked into is not held against their deletes.
    const UniqueFileHandle item(CreateFileW(walk.path.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, kOpenItself, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!item || !GetFileInformationByHandle(item.get(), &information)) {
      ++walk.counts.skipped;
      return std::nullopt;
    }
    // Another kind of reparse point (a cloud placeholder, a deduplicated
    // file) is a file: removing it would delete that file.
    const bool reparse = (found.attributes | information.dwFileAttributes) & FILE_ATTRIBUTE_REPARSE_POINT;
    if (reparse && !NamesAnotherPlace(found.reparseTag)) return std::nullopt;
    // A file link looks like a plain file: only where it leads tells.
    auto final = reparse ? std::nullopt : calls_.FinalPath(item.get());
    if (reparse || !final || !IsEntryOf(*final, in.where, name)) {
      if (RemoveNamedLink(Below(in.where, name))) {
        walk.Removed();
      } else {
        ++walk.counts.skipped;
      }
      return std::nullopt;
    }
    if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    if (in.MayEnterSubfolders()) return Folder(UniqueFileHandle(), std::move(*final));
    ++walk.counts.skipped;  // deeper than the walk goes: what links it holds is not known
    return std::nullopt;
  };
  walk.Tree(std::move(where), L"*", look, [](Folder&) {});
}

}  // namespace vandrel
