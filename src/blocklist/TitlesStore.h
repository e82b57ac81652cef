#pragma once
#include <optional>
#include <string>

#include "blocklist/BlockList.h"
#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kTitlesFileName = "titles.dat";
inline constexpr const char* kBlockListFilter = "Block list dat files|*.dat|All files|*.*";
inline constexpr const char* kExportExtension = ".dat";
inline constexpr const char* kImportExtension = "*.dat";
inline constexpr const char* kConfirmOverwrite = "Are you sure to overwrite the selected file?";
inline constexpr const char* kTitlesImported = "Titles imported successfully.";
// The copy of a damaged titles.dat: titles.damaged.dat, or titles.damaged-2.dat and on.
inline constexpr const char* kDamagedTitlesName = "titles.damaged";
inline constexpr int kMaxDamagedCopies = 1000;
// Shown once when titles.dat ends its readable part early; %s is the copy.
inline constexpr const char* kTitlesDamaged =
    "The block list file is damaged: the entries after the damaged place could not be read.\r\n"
    "The file as it was is kept in %s.";

// The executable's folder followed by `name`.
std::string FileBesideExecutable(SystemInfo& system, std::string_view name);
// Where a damaged file's copy goes beside the executable: `stem`.dat, or
// `stem`-2.dat and on while those are there, since a copy an earlier run
// kept may hold what this one has not.
std::string FreeDamagedCopyPath(FileSystem& files, SystemInfo& system, std::string_view stem);

// The block list's file beside the executable, and its plain-text export
// and import. Each operation reports its own failures in the application's
// error box and leaves the list in memory as it was; a file is only ever
// replaced whole, so a failed write leaves the old one.
class TitlesStore {
 public:
  TitlesStore(FileSystem& files, SystemInfo& system, Prompts& prompts)
      : files_(files), system_(system), prompts_(prompts) {}

  // The executable's folder followed by "titles.dat".
  std::string TitlesPath();

  // Adds the file's entries to the list, duplicates and empty lines
  // included. No file: nothing happens. An unreadable file is reported, and
  // later saves will not write over it until it could be read. A file whose
  // tail cannot be read is copied beside it first, and the copy named to
  // the user; saves will not write over it until the copy is made.
  void LoadTitles(BlockList& list);
  // Writes the whole list to the file, also when it is empty; before
  // LoadTitles has run it writes nothing and keeps the list as it is. When the file
  // could not be read at start-up, its entries are first added to the list
  // (now that it can be read); while it still cannot be read it is kept and
  // the write is reported as failed.
  void SaveTitlesClick(BlockList& list);
  // Asks for a file and writes the entries to it as plain lines.
  void ExportClick(const BlockList& list);
  // Asks for a plain-text file and adds its lines that are not empty and
  // not already present.
  void ImportClick(BlockList& list);

 private:
  // The file's content, or nothing when it cannot be read.
  std::optional<std::string> Read(const std::string& path);
  // Adds the entries of a titles.dat content; false, with the list as it
  // was, when they do not fit in memory.
  bool AddDecoded(BlockList& list, std::string_view content);
  // Reports "Cannot open file <path>" when the file cannot be read.
  std::optional<std::string> ReadOrReport(const std::string& path);
  // Reports "Cannot create file <path>" when the file cannot be written;
  // false then.
  bool WriteOrReport(const std::string& path, const std::string& content);
  // A content whose tail a NUL hides is kept for its copy, written now if it can be.
  void NoteDamage(const std::string& content);
  // Writes the damaged file's copy once; false, reported, while it cannot.
  bool KeepDamagedCopy();

  FileSystem& files_;
  SystemInfo& system_;
  Prompts& prompts_;
  bool loaded_ = false;                        // LoadTitles has run: saves may write
  bool unreadFileKept_ = false;                // titles.dat exists but could not be loaded yet
  std::optional<std::string> damagedContent_;  // titles.dat as read, until its copy is written
};

}  // namespace vandrel
