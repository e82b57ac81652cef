#pragma once
#include <string>

#include "platform/FileSystem.h"

namespace vandrel {

// Whole files through kernel32. A write goes to a temporary file in the
// target's folder, is flushed to disk and then renamed over the target.
class Win32FileSystem : public FileSystem {
 public:
  // A write into the folder of programPath (the program's own, where
  // titles.dat lives) first removes the temporaries that saves cut off
  // earlier left there. Elsewhere, an export's folder for one, such names
  // may be another program's and stay.
  explicit Win32FileSystem(const std::string& programPath);

  bool Exists(const std::string& path) override;
  std::string ReadWhole(const std::string& path) override { return ReadWholeInPieces(path, {}); }
  // A piece is 4 MB.
  bool ExistsUtf8(const std::string& path) override;
  std::string ReadWholeInPiecesUtf8(const std::string& path, const std::function<void()>& betweenPieces) override;
  std::string ReadWholeInPieces(const std::string& path, const std::function<void()>& betweenPieces) override;
  void WriteWholeAtomically(const std::string& path, std::string_view content) override;
  void WriteWholeAtomicallyUtf8(const std::string& path, std::string_view content) override;
  bool MakeFolderUtf8(const std::string& path) override;

 private:
  std::string programFolder_;  // as FolderPrefixOf gives it
};

}  // namespace vandrel
