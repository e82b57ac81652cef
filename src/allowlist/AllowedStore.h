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

// The always-allowed list's file beside the executable, in the layout of
// titles.dat, each record a kind letter ('T' a title part, 'S' a site) and
// the entry. Written whole, so that a crash or a failed write leaves the old
// file. A file with records that cannot be read is not written over until
// the user saves the list on purpose.
class AllowedStore {
 public:
  AllowedStore(FileSystem& files, SystemInfo& system, Prompts& prompts)
      : files_(files), system_(system), prompts_(prompts) {}

  std::string AllowedPath();
  // Adds the file's readable entries; reports a file that cannot be read or
  // has records that cannot.
  void Load(AllowedList& list);
  // Writes the list; `onPurpose` is the user's own save, which may replace
  // a damaged file. False (reported when tried) when it was not written.
  bool Save(const AllowedList& list, bool onPurpose);

 private:
  FileSystem& files_;
  SystemInfo& system_;
  Prompts& prompts_;
  bool loaded_ = false;
  bool damagedKept_ = false;  // the file holds what the list could not take
};

// The file's records for these entries, and back: the entries it holds and
// how many records could not be read.
std::string EncodeAllowed(const std::vector<AllowedEntry>& entries);
std::vector<AllowedEntry> DecodeAllowed(std::string_view content, std::size_t& unreadable);

}  // namespace vandrel
