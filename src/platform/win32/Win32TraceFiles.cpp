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

struct Win32TraceFiles::Walk {
  const DeleteProgress& progress;
  DeleteCounts counts;

  void Removed() {
    ++counts.removed;
    if (progress.removed) progress.removed(counts.removed);
  }
};

DeleteCounts Win32TraceFiles::DeleteTree(const std::string& folder, const DeleteProgress& progress) {
  return DeleteFolder(folder, "*", false, true, progress);
}

DeleteCounts Win32TraceFiles::DeleteMatching(const std::string& folder, const std::string& mask, bool keepDesktopIni,
                                             const DeleteProgress& progress) {
  return DeleteFolder(folder, mask, keepDesktopIni, false, progress);
}

DeleteCounts Win32TraceFiles::DeleteFolder(const std::string& folder, const std::string& mask, bool keepDesktopIni,
                                           bool andItself, const DeleteProgress& progress) {
  Walk walk{progress, {}};
  std::optional<Judged> judged = Judge(folder, andItself ? "*" : mask, andItself, walk);
  if (!judged) return walk.counts;
  DeleteEntries(walk, judged->where, WideFromUtf8(mask), keepDesktopIni);
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

void Win32TraceFiles::DeleteEntries(Walk& walk, const FullPath& where, const std::wstring& mask, bool keepDesktopIni) {
  std::vector<Found> entries;
  if (!ListEntries(WidePathOf(where) + L"\\" + mask, entries)) ++walk.counts.skipped;
  for (const Found& found : entries) {
    if (walk.progress.pump) walk.progress.pump();
    DeleteEntry(walk, where, found, keepDesktopIni);
  }
}

void Win32TraceFiles::DeleteEntry(Walk& walk, const FullPath& where, const Found& found, bool keepDesktopIni) {
  const std::string name = Utf8FromWide(found.name);
  const bool folder = found.attributes & FILE_ATTRIBUTE_DIRECTORY;
  if (!folder && keepDesktopIni && IsDesktopIni(name)) return;

  const FullPath entry = Below(where, name);
  const std::wstring path = WidePathOf(entry);
  const bool link = found.attributes & FILE_ATTRIBUTE_REPARSE_POINT;
  UniqueFileHandle item = OpenItself(path, folder && !link);
  BY_HANDLE_FILE_INFORMATION information;
  if (!item || !GetFileInformationByHandle(item.get(), &information)) {
    ++walk.counts.skipped;
    return;
  }
  if (link || (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    if (RemoveLink(item.get(), where, name)) {
      walk.Removed();
    } else {
      ++walk.counts.skipped;
    }
    return;
  }
  // A file link looks like a plain file: only where it leads tells.
  const auto final = calls_.FinalPath(item.get());
  const bool isFolder = information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
  if (!final || !IsEntryOf(*final, where, name) || isFolder != folder) {
    ++walk.counts.skipped;
    return;
  }
  if (isFolder) {
    const std::size_t skippedBefore = walk.counts.skipped;
    DeleteEntries(walk, *final, L"*", false);  // a subfolder goes whole, its desktop.ini too
    item.reset();
    if (walk.counts.skipped == skippedBefore && RemoveEmptiedFolder(path, *final)) {
      walk.Removed();
    } else {
      ++walk.counts.skipped;  // the folder keeps what could not go
    }
    return;
  }
  if ((information.dwFileAttributes & kBlocksDelete) && !calls_.ClearAttributes(item.get())) {
    ++walk.counts.skipped;
    return;
  }
  if (calls_.MarkForDeletion(item.get())) {
    walk.Removed();
  } else {
    ++walk.counts.skipped;
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
  Walk walk{progress, {}};
  if (const std::optional<Judged> judged = Judge(folder, "*", false, walk)) RemoveLinksBelow(walk, judged->where);
  return walk.counts;
}

ContainerIndex Win32TraceFiles::ContainerIndexOf(const std::string& folder) {
  // Judged as a delete of everything in it is, then read where it really
  // lies while it is held.
  const DeleteProgress quiet;
  Walk walk{quiet, {}};
  const std::optional<Judged> judged = Judge(folder, "*", false, walk);
  if (!judged) return walk.counts.skipped > 0 ? ContainerIndex::Unreadable : ContainerIndex::NotEntered;
  return ReadContainerIndex(WidePathOf(judged->where));
}

void Win32TraceFiles::RemoveLinksBelow(Walk& walk, const FullPath& where) const {
  std::vector<Found> entries;
  if (!ListEntries(WidePathOf(where) + L"\\*", entries)) ++walk.counts.skipped;
  for (const Found& found : entries) {
    if (walk.progress.pump) walk.progress.pump();
    const std::string name = Utf8FromWide(found.name);
    const FullPath entry = Below(where, name);
    // Looked at only: a file held by the library or the browser stays open
    // to them, and a folder walked into is not held against their deletes.
    const UniqueFileHandle item(CreateFileW(WidePathOf(entry).c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, kOpenItself, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!item || !GetFileInformationByHandle(item.get(), &information)) {
      ++walk.counts.skipped;
      continue;
    }
    // Another kind of reparse point (a cloud placeholder, a deduplicated
    // file) is a file: removing it would delete that file.
    const bool reparse = (found.attributes | information.dwFileAttributes) & FILE_ATTRIBUTE_REPARSE_POINT;
    if (reparse && !NamesAnotherPlace(found.reparseTag)) continue;
    // A file link looks like a plain file: only where it leads tells.
    const auto final = reparse ? std::nullopt : calls_.FinalPath(item.get());
    if (reparse || !final || !IsEntryOf(*final, where, name)) {
      if (RemoveNamedLink(entry)) {
        walk.Removed();
      } else {
        ++walk.counts.skipped;
      }
    } else if (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveLinksBelow(walk, *final);
    }
  }
}

}  // namespace vandrel
