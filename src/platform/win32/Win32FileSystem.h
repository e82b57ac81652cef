#pragma once
#include "platform/FileSystem.h"

namespace vandrel {

// Whole files through kernel32. A write goes to a temporary file in the
// target's folder, is flushed to disk and then renamed over the target; it
// first removes the temporaries that saves cut off earlier left there.
class Win32FileSystem : public FileSystem {
 public:
  bool Exists(const std::string& path) override;
  std::string ReadWhole(const std::string& path) override { return ReadWholeInPieces(path, {}); }
  // A piece is 4 MB.
  std::string ReadWholeInPieces(const std::string& path, const std::function<void()>& betweenPieces) override;
  void WriteWholeAtomically(const std::string& path, std::string_view content) override;
};

}  // namespace vandrel
