#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/PlatformError.h"
#include "platform/win32/Handles.h"
#include "platform/win32/SaveTemporary.h"
#include "platform/win32/WidePath.h"

namespace vandrel {
namespace {

// The path up to and including its last '\', '/' or ':'; empty for a bare
// file name.
template <typename Char>
std::basic_string<Char> FolderPrefixOf(const std::basic_string<Char>& path) {
  constexpr Char kSeparators[] = {Char('\\'), Char('/'), Char(':'), Char(0)};
  const auto end = path.find_last_of(kSeparators);
  return end == std::basic_string<Char>::npos ? std::basic_string<Char>() : path.substr(0, end + 1);
}

// Errors of a path where no file can be. Any other failure (access denied,
// a drive not ready, a share out of reach, a path too long) leaves open
// whether a file is there.
bool MeansNothingIsThere(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:  // characters no file name may hold
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:  // a part of the path is a file
      return true;
    default: return false;
  }
}

bool WriteAll(HANDLE file, std::string_view content) {
  while (!content.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 24));
    DWORD written = 0;
    if (!WriteFile(file, content.data(), chunk, &written, nullptr) || written == 0) return false;
    content.remove_prefix(written);
  }
  return true;
}

// A file, not a folder, by the attributes read of its path, or by why they could not be read.
bool IsFileThere(DWORD attributes) {
  if (attributes != INVALID_FILE_ATTRIBUTES) return !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  return !MeansNothingIsThere(GetLastError());
}

constexpr DWORD kReadSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kReadFlags = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN;

std::string ReadOpened(const UniqueFileHandle& file, const std::string& shownPath,
                       const std::function<void()>& betweenPieces) {
  const PlatformError cannotOpen(FormatMessageText(kCannotOpenFile, shownPath));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) throw cannotOpen;
  if (static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) throw cannotOpen;

  // Read up to the end as it is now: the file may grow or shrink meanwhile.
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) content.resize(content.size() + 65536);
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size() - filled, 1u << 22));
    DWORD read = 0;
    if (!ReadFile(file.get(), content.data() + filled, wanted, &read, nullptr)) throw cannotOpen;
    if (read == 0) break;
    filled += read;
    if (betweenPieces) betweenPieces();
  }
  content.resize(filled);
  return content;
}

// Replaces the file through a temporary beside it, all in wide calls.
void WriteThroughTemporary(const std::wstring& path, std::string_view content, const PlatformError& cannotCreate) {
  // A read-only file is not replaced (a rename over it would succeed on
  // some systems).
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) throw cannotCreate;
  SaveTemporary temporary(FolderPrefixOf(path));
  if (!temporary.Created() || !WriteAll(temporary.File(), content) || !FlushFileBuffers(temporary.File())) {
    throw cannotCreate;
  }
  if (!temporary.CloseAndMoveOver(path)) throw cannotCreate;
}

}  // namespace

Win32FileSystem::Win32FileSystem(const std::string& programPath) : programFolder_(FolderPrefixOf(programPath)) {}

bool Win32FileSystem::Exists(const std::string& path) { return IsFileThere(GetFileAttributesA(path.c_str())); }

bool Win32FileSystem::ExistsUtf8(const std::string& path) {
  return IsFileThere(GetFileAttributesW(WideFromUtf8(path).c_str()));
}

std::string Win32FileSystem::ReadWholeInPieces(const std::string& path, const std::function<void()>& betweenPieces) {
  const UniqueFileHandle file(
      CreateFileA(path.c_str(), GENERIC_READ, kReadSharing, nullptr, OPEN_EXISTING, kReadFlags, nullptr));
  return ReadOpened(file, path, betweenPieces);
}

std::string Win32FileSystem::ReadWholeInPiecesUtf8(const std::string& path,
                                                   const std::function<void()>& betweenPieces) {
  const std::wstring wide = WideFromUtf8(path);
  const UniqueFileHandle file(
      CreateFileW(wide.c_str(), GENERIC_READ, kReadSharing, nullptr, OPEN_EXISTING, kReadFlags, nullptr));
  return ReadOpened(file, AnsiFromWide(wide), betweenPieces);
}

void Win32FileSystem::WriteWholeAtomically(const std::string& path, std::string_view content) {
  const PlatformError cannotCreate(FormatMessageText(kCannotCreateFile, path));
  if (path.empty()) throw cannotCreate;
  const std::string folder = FolderPrefixOf(path);
  // Only in the program's folder, spelled as the program's path is (titles.dat's
  // path is made from it): another spelling of it leaves them to a later save.
  if (!folder.empty() && folder == programFolder_) {
    RemoveStaleSaveTemporaries(folder, std::string_view(path).substr(folder.size()));
  }
  WriteThroughTemporary(WideFromAnsi(path), content, cannotCreate);
}

// Wide from end to end: a folder or name the code page cannot spell (a user
// name in another script) is written under its own name, also on a volume
// that keeps no short names.
void Win32FileSystem::WriteWholeAtomicallyUtf8(const std::string& path, std::string_view content) {
  const std::wstring wide = WideFromUtf8(path);
  const PlatformError cannotCreate(FormatMessageText(kCannotCreateFile, AnsiFromWide(wide)));
  if (wide.empty()) throw cannotCreate;
  WriteThroughTemporary(wide, content, cannotCreate);
}

bool Win32FileSystem::MakeFolderUtf8(const std::string& path) {
  const std::wstring wide = WideFromUtf8(path);
  if (CreateDirectoryW(wide.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace vandrel
