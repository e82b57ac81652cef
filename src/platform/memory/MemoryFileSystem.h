#pragma once
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace vandrel {

// Files held in memory, with the failures a test may ask for. Paths are
// compared exactly as given; a file's folder is the path up to its last
// backslash.
class MemoryFileSystem : public FileSystem {
 public:
  std::map<std::string, std::string> files;
  std::set<std::string> unreadable;         // files that exist but cannot be opened
  std::set<std::string> unwritableFolders;  // no file can be created in these
  // The next write stops after this many bytes, as on a full disk.
  std::optional<std::size_t> failNextWriteAfter;
  int writeCount = 0;  // writes that completed

  bool Exists(const std::string& path) override { return files.count(path) != 0; }
  std::string ReadWhole(const std::string& path) override;
  // Runs `betweenPieces` once, before the file is read, as a large file would.
  std::string ReadWholeInPieces(const std::string& path, const std::function<void()>& betweenPieces) override {
    if (betweenPieces) betweenPieces();
    return ReadWhole(path);
  }
  void WriteWholeAtomically(const std::string& path, std::string_view content) override;
};

}  // namespace vandrel
