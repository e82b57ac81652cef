#pragma once
#include <optional>
#include <string>

#include "allowlist/AllowedList.h"
#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kAllowedFileName = "allowed.dat";
inline constexpr const char* kAllowedFileDamaged =
    "Some entries of the always-allowed list could not be read from %s.\r\n"
    "The others are used.";
// The damaged box's second line, %s the copy.
inline constexpr const char* kAllowedFileCopied = "The file as it was is kept in %s.";
inline constexpr const char* kAllowedFileNotCopied =
    "The file is not written over until a copy of it can be kept beside it.";
// The copy of a damaged allowed.dat: allowed.damaged.dat, or allowed.damaged-2.dat and on.
inline constexpr const char* kDamagedAllowedName = "allowed.damaged";
inline constexpr const char* kAllowedFileNotWritten =
    "The always-allowed list cannot be read from %s, so it is not written over.\r\n"
    "Your change is used until Vandrel ends. Close the program that holds the file and try again.";

// The always-allowed list's file beside the executable, in the layout of
// titles.dat, each record a kind letter ('T' a title part, 'S' a site) and
// the entry. Written whole, so that a crash or a failed write leaves the old
// file. A file with records that cannot be read is copied beside it at the
// load, and not written over while that copy cannot be written. A file that
// cannot be opened at all is never written: each save first tries to read
// it again.
class AllowedStore {
 public:
  AllowedStore(FileSystem& files, SystemInfo& system, Prompts& prompts)
      : files_(files), system_(system), prompts_(prompts) {}

  std::string AllowedPath();
  // Adds the file's readable entries; reports a file that cannot be read or
  // has records that cannot.
  void Load(AllowedList& list);
  // Writes the list. A file that could not be opened is read first (its
  // entries join the list) and, while it still cannot be, nothing is
  // written and the user is told. False when it was not written.
  bool Save(AllowedList& list);

 private:
  enum class ReadResult { Read, Missing, CannotOpen };
  ReadResult ReadInto(AllowedList& list, const std::string& path);
  // Writes the damaged file's copy once; false while it cannot be written.
  bool KeepDamagedCopy(std::string& copy);

  FileSystem& files_;
  SystemInfo& system_;
  Prompts& prompts_;
  bool loaded_ = false;
  std::optional<std::string> damagedContent_;  // the file as read, until its copy is written
  bool unopened_ = false;                      // the file is there but could not be read
};

// The file's records for these entries, and back: the entries it holds and
// how many records could not be read.
std::string EncodeAllowed(const std::vector<AllowedEntry>& entries);
std::vector<AllowedEntry> DecodeAllowed(std::string_view content, std::size_t& unreadable);

}  // namespace vandrel
