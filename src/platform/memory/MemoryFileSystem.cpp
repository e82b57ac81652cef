#include "platform/memory/MemoryFileSystem.h"

#include "platform/PlatformError.h"

namespace vandrel {

std::string MemoryFileSystem::ReadWhole(const std::string& path) {
  const auto file = files.find(path);
  if (file == files.end() || unreadable.count(path)) {
    throw PlatformError(FormatMessageText(kCannotOpenFile, path));
  }
  return file->second;
}

void MemoryFileSystem::WriteWholeAtomically(const std::string& path, std::string_view content) {
  const auto folderEnd = path.find_last_of('\\');
  const std::string folder = folderEnd == std::string::npos ? std::string() : path.substr(0, folderEnd);
  const bool stopsMidway = failNextWriteAfter && *failNextWriteAfter < content.size();
  failNextWriteAfter.reset();
  // Either failure leaves the old file: the new content never replaced it.
  if (unwritableFolders.count(folder) || stopsMidway) {
    throw PlatformError(FormatMessageText(kCannotCreateFile, path));
  }
  files[path] = std::string(content);
  ++writeCount;
}

}  // namespace vandrel
