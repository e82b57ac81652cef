#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace vandrel {

inline constexpr const char* kCannotOpenFile = "Cannot open file %s";
inline constexpr const char* kCannotCreateFile = "Cannot create file %s";

// Whole-file reads and writes, as the block list's file and its export and
// import use them. Failures throw PlatformError with the user's text.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True when a file (not a folder) is at the path, and also when the path
  // cannot be examined (access denied, a path too long): a caller must never
  // take a file it could not see for a missing one and write over it.
  virtual bool Exists(const std::string& path) = 0;
  // The file's whole content, read while others may keep it open for reading
  // and writing. Throws PlatformError "Cannot open file <path>".
  virtual std::string ReadWhole(const std::string& path) = 0;
  // As ReadWhole; `betweenPieces` runs after each piece of a large file, so
  // that the caller's windows keep working while it comes in.
  virtual std::string ReadWholeInPieces(const std::string& path, const std::function<void()>& betweenPieces) {
    (void)betweenPieces;
    return ReadWhole(path);
  }
  // The same for a path in UTF-8, which holds every name where the program's
  // ANSI text cannot: how the eraser spells the shell folders, which the
  // index.dat viewer reads in. A failure names the path in ANSI.
  virtual bool ExistsUtf8(const std::string& path) { return Exists(path); }
  virtual std::string ReadWholeInPiecesUtf8(const std::string& path, const std::function<void()>& betweenPieces) {
    return ReadWholeInPieces(path, betweenPieces);
  }
  // Replaces the file's content, or creates it, so that no reader ever sees
  // a half-written file: on any failure the old file stays as it was and
  // PlatformError "Cannot create file <path>" is thrown.
  virtual void WriteWholeAtomically(const std::string& path, std::string_view content) = 0;
  // The same for a path in UTF-8, written under its own name, whatever the
  // ANSI code page can spell; a failure names the path in ANSI.
  virtual void WriteWholeAtomicallyUtf8(const std::string& path, std::string_view content) {
    WriteWholeAtomically(path, content);
  }
  // Makes the folder (UTF-8) when it is not there; false when it is not
  // there afterwards. Where there are no folders, every one is there.
  virtual bool MakeFolderUtf8(const std::string& path) {
    (void)path;
    return true;
  }
};

}  // namespace vandrel
