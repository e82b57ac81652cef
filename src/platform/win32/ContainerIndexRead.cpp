#include "platform/win32/ContainerIndexRead.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/WidePath.h"

namespace vandrel {

std::optional<bool> ReadsAsUrlCacheIndex(const std::wstring& file) {
  // The library keeps its index open while it runs, sharing reading and
  // writing, so reading shares everything. What still cannot be opened
  // (locked by another program, no access) is not known to be an index,
  // and the folder is left whole: a cookie folder wrongly kept costs one
  // erase, one wrongly emptied may be the user's own files.
  const UniqueFileHandle opened(CreateFileW(file.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!opened) return std::nullopt;
  char first[kIndexHeaderBytes];
  DWORD read = 0;
  if (!ReadFile(opened.get(), first, sizeof first, &read, nullptr)) return std::nullopt;
  return StartsAsUrlCacheIndex(std::string_view(first, read));
}

ContainerIndex ReadContainerIndex(const std::wstring& folder) {
  std::vector<LookedEntry> entries;
  WIN32_FIND_DATAW found;
  const UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return ContainerIndex::Unreadable;  // a folder lists "." at least
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD attributes = found.dwFileAttributes;
    entries.push_back(
        {Utf8FromWide(found.cFileName), attributes & FILE_ATTRIBUTE_REPARSE_POINT ? LookedEntry::Kind::Link
                                        : attributes & FILE_ATTRIBUTE_DIRECTORY   ? LookedEntry::Kind::Folder
                                                                                  : LookedEntry::Kind::File});
  } while (FindNextFileW(search.get(), &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) return ContainerIndex::Unreadable;
  return JudgeContainer(
      entries, [&](const std::string& name) { return ReadsAsUrlCacheIndex(folder + L"\\" + WideFromUtf8(name)); });
}

}  // namespace vandrel
