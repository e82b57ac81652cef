#include "platform/win32/Win32TraceLook.h"

#include <windows.h>

#include "platform/EraseRefusal.h"
#include "platform/FullPath.h"
#include "platform/NameMask.h"
#include "platform/win32/ComparableSpelling.h"
#include "platform/win32/ContainerIndexRead.h"
#include "platform/win32/FolderIdentity.h"
#include "platform/win32/Handles.h"
#include "platform/win32/NotThereErrors.h"
#include "platform/win32/PathLinks.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/Win32TraceFiles.h"

namespace vandrel {
namespace {

LookedEntry EntryOf(const WIN32_FIND_DATAW& found) {
  const DWORD attributes = found.dwFileAttributes;
  const auto kind = attributes & FILE_ATTRIBUTE_REPARSE_POINT ? LookedEntry::Kind::Link
                    : attributes & FILE_ATTRIBUTE_DIRECTORY   ? LookedEntry::Kind::Folder
                                                              : LookedEntry::Kind::File;
  return {Utf8FromWide(found.cFileName), kind,
          (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow};
}

// A link the erase can remove as itself: opened as itself, its handle
// carries the reparse attribute (under Wine it leads to the target).
bool OpensAsItself(const std::wstring& path) {
  const UniqueFileHandle link(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  return link && GetFileInformationByHandle(link.get(), &information) &&
         (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

FolderLook ListEntries(const std::wstring& folder, const std::wstring& mask, std::vector<LookedEntry>& entries) {
  WIN32_FIND_DATAW found;
  const UniqueFind search(FindFirstFileW((folder + L"\\" + mask).c_str(), &found));
  if (!search) return GetLastError() == ERROR_FILE_NOT_FOUND ? FolderLook::Listed : FolderLook::Unreadable;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back(EntryOf(found));
    if (entries.back().kind == LookedEntry::Kind::Link) entries.back().removable = OpensAsItself(folder + L"\\" + found.cFileName);
  } while (FindNextFileW(search.get(), &found));
  return GetLastError() == ERROR_NO_MORE_FILES ? FolderLook::Listed : FolderLook::Unreadable;
}

}  // namespace

FolderLook Win32TraceLook::List(const std::string& folder, const std::string& mask, LookAt at,
                                std::vector<LookedEntry>& entries) {
  const std::wstring named = WideFromUtf8(folder);
  const auto asked = ParseFullPath(folder);
  const bool checked = at == LookAt::EmptiedFolder || at == LookAt::WholeFolder;
  const std::vector<ProtectedFolder> kept = checked ? ReadProtectedFolders() : std::vector<ProtectedFolder>{};
  std::vector<KeptFolder> spellings;
  for (const ProtectedFolder& protectedFolder : kept) {
    spellings.push_back({ComparableSpelling(protectedFolder.path), protectedFolder.withInside});
  }
  const auto refuses = [&](const std::wstring& path) {
    const std::string spelling = ComparableSpelling(path);
    return at == LookAt::WholeFolder ? RefusesDeleteTree(spelling, spellings)
                                     : RefusesDeleteFiles(spelling, mask, spellings);
  };
  if (checked && (folder.size() < 4 || !asked || refuses(named))) return FolderLook::Refused;
  if (!asked) return FolderLook::Unreadable;
  const std::wstring path = WidePathOf(*asked);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    // Not there as the delete decides it; out of reach is told apart.
    if (IsNetworkUnreachable(error)) return FolderLook::Unreachable;
    return IsNotThere(error) ? FolderLook::Missing : FolderLook::Unreadable;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return FolderLook::Missing;
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || (at != LookAt::Inside && PassesThroughLink(*asked))) {
    return FolderLook::Link;
  }
  if (checked) {
    // Where the folder really lies, as the delete compares it.
    const UniqueFileHandle held(
        CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!held) return FolderLook::Unreadable;
    const auto where = calls_.FinalPath(held.get());
    if (!where || refuses(WidePathOf(*where))) return FolderLook::Refused;
    // The same folder under another name is told by what it is, as the
    // delete tells it.
    BY_HANDLE_FILE_INFORMATION information;
    if ((at == LookAt::WholeFolder || MatchesEverything(mask)) &&
        (!GetFileInformationByHandle(held.get(), &information) ||
         ProtectedIdentities(kept, calls_).Find(IdentityOf(information), *where).kind != Refusal::Kind::None)) {
      return FolderLook::Refused;
    }
  }
  return ListEntries(path, WideFromUtf8(mask), entries);
}

bool Win32TraceLook::IsFile(const std::string& path) {
  const auto full = ParseFullPath(path);
  if (!full) return false;
  const DWORD attributes = GetFileAttributesW(WidePathOf(*full).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32TraceLook::IsWipedIndexFile(const std::string& path) { return ReadsAsWipedIndex(path); }

std::optional<bool> Win32TraceLook::StartsAsIndex(const std::string& path) {
  const auto full = ParseFullPath(path);
  return full ? ReadsAsUrlCacheIndex(WidePathOf(*full)) : std::nullopt;
}

}  // namespace vandrel
