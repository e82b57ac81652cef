// Overwriting an index file in place, only when it is a plain file of its
// own: never through a link, never a file that has other names.
#include <windows.h>

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/PlatformError.h"
#include "platform/win32/Handles.h"
#include "platform/win32/PathLinks.h"
#include "platform/win32/WidePath.h"
#include "platform/win32/NotThereErrors.h"
#include "platform/win32/Win32TraceFiles.h"

namespace vandrel {
namespace {

bool WriteHeaderAndZeros(HANDLE file, unsigned long long length) {
  LARGE_INTEGER start{};
  if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) return false;
  std::string chunk(std::min<unsigned long long>(length, kWipePieceSize), '\0');
  std::copy_n(kEmptyIndexHeader, kEmptyIndexHeaderSize, chunk.begin());
  for (unsigned long long left = length; left > 0;) {
    const DWORD wanted = static_cast<DWORD>(std::min<unsigned long long>(left, chunk.size()));
    DWORD written = 0;
    if (!WriteFile(file, chunk.data(), wanted, &written, nullptr) || written == 0) return false;
    left -= written;
    if (left > 0 && chunk[0] != '\0') std::fill_n(chunk.begin(), kEmptyIndexHeaderSize, '\0');
  }
  return true;
}

}  // namespace

WipeOutcome Win32TraceFiles::WipeIndexFile(const std::string& file) {
  // The error box shows the program's ANSI text.
  const PlatformError cannotOpen(FormatMessageText(kCannotOpenFile, AnsiFromWide(WideFromUtf8(file))));
  const auto asked = ParseFullPath(file);
  if (!asked || asked->names.empty()) throw cannotOpen;
  const std::wstring path = WidePathOf(*asked);
  const UniqueFileHandle index(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (!index) {
    const DWORD error = GetLastError();
    // Not there as the folder's delete decides it (a drive not ready, a
    // share out of reach ...): that delete tells it.
    if (IsNotThere(error)) return WipeOutcome::Missing;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return WipeOutcome::LeftAlone;
    }
    throw cannotOpen;
  }
  // Windows refuses to open a read-only file for writing; Wine does not
  // when it runs as the Unix root.
  BY_HANDLE_FILE_INFORMATION information;
  if (GetFileInformationByHandle(index.get(), &information) &&
      (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
    throw cannotOpen;
  }

  LARGE_INTEGER size{};
  const DWORD found = GetFileAttributesW(path.c_str());
  if (!GetFileInformationByHandle(index.get(), &information) || !GetFileSizeEx(index.get(), &size) ||
      found == INVALID_FILE_ATTRIBUTES ||
      ((found | information.dwFileAttributes) & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
      information.nNumberOfLinks != 1) {
    return WipeOutcome::LeftAlone;
  }
  // A folder link above it leads to a file of another folder; a file link
  // looks like a plain file: it must lead to its own name.
  if (PassesThroughLink(*asked)) return WipeOutcome::LeftAlone;
  FullPath folder = *asked;
  const std::string name = folder.names.back();
  folder.names.pop_back();
  const std::wstring folderPath = WidePathOf(folder);
  const UniqueFileHandle parent(CreateFileW(folderPath.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  const auto folderFinal = parent ? calls_.FinalPath(parent.get()) : std::nullopt;
  const auto fileFinal = calls_.FinalPath(index.get());
  if (!folderFinal || !fileFinal || !IsEntryOf(*fileFinal, *folderFinal, name)) return WipeOutcome::LeftAlone;

  const auto length =
      std::max<unsigned long long>(static_cast<unsigned long long>(size.QuadPart), kEmptyIndexHeaderSize);
  if (!WriteHeaderAndZeros(index.get(), length)) throw cannotOpen;
  return WipeOutcome::Wiped;
}

bool Win32TraceFiles::IndexIsWiped(const std::string& file) { return ReadsAsWipedIndex(file); }

bool ReadsAsWipedIndex(const std::string& file) {
  const auto asked = ParseFullPath(file);
  if (!asked) return false;
  const UniqueFileHandle index(CreateFileW(WidePathOf(*asked).c_str(), GENERIC_READ,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!index) return false;
  // The first piece tells: a live index keeps its sizes there, and a wipe
  // that failed half way wrote that piece before what it left.
  std::string piece(kWipePieceSize, '\0');
  std::size_t filled = 0;
  for (DWORD read = 1; read > 0 && filled < piece.size(); filled += read) {
    if (!ReadFile(index.get(), piece.data() + filled, static_cast<DWORD>(piece.size() - filled), &read, nullptr)) {
      return false;
    }
  }
  return IsWipedIndex(std::string_view(piece.data(), filled));
}

}  // namespace vandrel
