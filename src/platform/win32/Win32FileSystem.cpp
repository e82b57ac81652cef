#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/PlatformError.h"
#include "platform/win32/Handles.h"

namespace vandrel {
namespace {

// A file that is deleted when it goes out of scope unless it was kept.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!kept_) DeleteFileA(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  bool kept_ = false;
};

// The folder part of a path, "." for a bare file name.
std::string FolderOf(const std::string& path) {
  const auto end = path.find_last_of("\\/");
  if (end == std::string::npos) return ".";
  if (end == 0 || path[end - 1] == ':') return path.substr(0, end + 1);  // "\" or "C:\"
  return path.substr(0, end);
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

// Writes the content into the temporary file and flushes it to the disk;
// false when any step failed.
bool WriteTemporary(const TemporaryFile& temporary, std::string_view content) {
  UniqueFileHandle file(CreateFileA(temporary.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  return file && WriteAll(file.get(), content) && FlushFileBuffers(file.get());
}

}  // namespace

bool Win32FileSystem::Exists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32FileSystem::ReadWhole(const std::string& path) {
  const PlatformError cannotOpen(FormatMessageText(kCannotOpenFile, path));
  UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !GetFileSizeEx(file.get(), &size)) throw cannotOpen;
  if (static_cast<unsigned long long>(size.QuadPart) > std::string().max_size()) throw cannotOpen;

  // Read up to the end as it is now: the file may grow or shrink meanwhile.
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) content.resize(content.size() + 65536);
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(content.size() - filled, 1u << 24));
    DWORD read = 0;
    if (!ReadFile(file.get(), content.data() + filled, wanted, &read, nullptr)) throw cannotOpen;
    if (read == 0) break;
    filled += read;
  }
  content.resize(filled);
  return content;
}

void Win32FileSystem::WriteWholeAtomically(const std::string& path, std::string_view content) {
  const PlatformError cannotCreate(FormatMessageText(kCannotCreateFile, path));
  if (path.empty()) throw cannotCreate;
  // A read-only file is not replaced (a rename over it would succeed on
  // some systems).
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) throw cannotCreate;
  char temporaryName[MAX_PATH];
  // Creates an empty file with a unique name in the target's folder, so the
  // rename below stays on one volume.
  if (!GetTempFileNameA(FolderOf(path).c_str(), "vdl", 0, temporaryName)) throw cannotCreate;
  TemporaryFile temporary(temporaryName);
  if (!WriteTemporary(temporary, content)) throw cannotCreate;
  if (!MoveFileExA(temporary.path().c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw cannotCreate;
  }
  temporary.Keep();  // it is the target now
}

}  // namespace vandrel
