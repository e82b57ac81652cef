#pragma once
#include <string>

#include "allowlist/AllowedList.h"
#include "platform/FileSystem.h"
#include "platform/SystemInfo.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kAllowedFileName = "allowed.dat";
inline constexpr const char* kAllowedFileDamaged =
    "Some entries of the always-allowed list could not be read from %s.\r\n"
    "The others are used. The file is kept as it is until you save the list.";
inline constexpr const char* kAllowedFileNotWritten =
    "The always-allowed list cannot be read from %s, so it is not written over.\r\n"
    "Your change is used until Vandrel ends. Close the program that holds the file and try again.";

// The always-allowed list's file beside the executable, in the layout of
// titles.dat, each record a kind letter ('T' a title part, 'S' a site) and
// the entry. Written whole, so that a crash or a failed write leaves the old
// file. A file with records that cannot be read is not written over until
// the user saves the list on purpose. A file that cannot be opened at all
// is never written: each save first tries to read it again.
class AllowedStore {
 public:
  AllowedStore(FileSystem& files, SystemInfo& system, Prompts& prompts)
      : files_(files), system_(system), prompts_(prompts) {}

  std::string AllowedPath();
  // Adds the file's readable entries; reports a file that cannot be read or
  // has records that cannot.
  void Load(AllowedList& list);
  // Writes the list; `onPurpose` is the user's own save, which may replace
  // a damaged file. A file that could not be opened is read first (its
  // entries join the list) and, while it still cannot be, nothing is
  // written and the user is told. False when it was not written.
  bool Save(AllowedList& list, bool onPurpose);

 private:
  enum class ReadResult { Read, Missing, CannotOpen };
  ReadResult ReadInto(AllowedList& list, const std::string& path);

  FileSystem& files_;
  SystemInfo& system_;
  Prompts& prompts_;
  bool loaded_ = false;
  bool damagedKept_ = false;  // the file holds what the list could not take
  bool unopened_ = false;     // the file is there but could not be read
};

// The file's records for these entries, and back: the entries it holds and
// how many records could not be read.
std::string EncodeAllowed(const std::vector<AllowedEntry>& entries);
std::vector<AllowedEntry> DecodeAllowed(std::string_view content, std::size_t& unreadable);

}  // namespace vandrel
