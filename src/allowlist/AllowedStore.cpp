#include "allowlist/AllowedStore.h"

#include <new>

#include "blocklist/TitlesFile.h"
#include "blocklist/TitlesStore.h"
#include "platform/PlatformError.h"

namespace vandrel {
namespace {

constexpr char kTitleRecord = 'T';
constexpr char kSiteRecord = 'S';

}  // namespace

std::string EncodeAllowed(const std::vector<AllowedEntry>& entries) {
  std::vector<std::string> records;
  records.reserve(entries.size());
  for (const AllowedEntry& entry : entries) {
    records.push_back((entry.kind == AllowedKind::Site ? kSiteRecord : kTitleRecord) + entry.text);
  }
  return EncodeTitles(records);
}

std::vector<AllowedEntry> DecodeAllowed(std::string_view content, std::size_t& unreadable) {
  unreadable = 0;
  std::vector<AllowedEntry> entries;
  for (std::string& record : DecodeTitles(content)) {
    const bool known = record.size() > 1 && (record[0] == kTitleRecord || record[0] == kSiteRecord);
    if (!known) {
      ++unreadable;
      continue;
    }
    const AllowedKind kind = record[0] == kSiteRecord ? AllowedKind::Site : AllowedKind::Title;
    entries.push_back({kind, record.substr(1)});
  }
  return entries;
}

std::string AllowedStore::AllowedPath() { return FileBesideExecutable(system_, kAllowedFileName); }

AllowedStore::ReadResult AllowedStore::ReadInto(AllowedList& list, const std::string& path) {
  if (!files_.Exists(path)) return ReadResult::Missing;
  std::size_t unreadable = 0;
  std::string content;
  try {
    content = files_.ReadWhole(path);
    std::vector<AllowedEntry> entries = DecodeAllowed(content, unreadable);
    for (AllowedEntry& entry : entries) {
      if (CheckAllowedEntry(entry.kind, entry.text, list.CodePage().LeadBytes()).problem.empty()) {
        list.Add(std::move(entry));
      } else {
        ++unreadable;
      }
    }
  } catch (const PlatformError&) {
    return ReadResult::CannotOpen;
  } catch (const std::bad_alloc&) {
    unreadable = 1;
  }
  if (unreadable > 0) {
    // What the list could not take is the user's, not the list's: the file
    // as it was is kept before any save writes over it.
    damagedContent_ = std::move(content);
    std::string copy;
    const bool copied = KeepDamagedCopy(copy);
    prompts_.ShowError(FormatMessageText(kAllowedFileDamaged, path) + "\r\n" +
                       (copied ? FormatMessageText(kAllowedFileCopied, copy) : std::string(kAllowedFileNotCopied)));
  }
  return ReadResult::Read;
}

bool AllowedStore::KeepDamagedCopy(std::string& copy) {
  if (!damagedContent_) return true;
  copy = FreeDamagedCopyPath(files_, system_, kDamagedAllowedName);
  try {
    files_.WriteWholeAtomically(copy, *damagedContent_);
  } catch (const PlatformError&) {
    return false;
  }
  damagedContent_.reset();
  return true;
}

void AllowedStore::Load(AllowedList& list) {
  loaded_ = true;
  const std::string path = AllowedPath();
  unopened_ = ReadInto(list, path) == ReadResult::CannotOpen;
  if (unopened_) prompts_.ShowError(FormatMessageText(kCannotOpenFile, path));
}

bool AllowedStore::Save(AllowedList& list) {
  // Before the load the list holds only what was added meanwhile.
  if (!loaded_) return false;
  const std::string path = AllowedPath();
  if (unopened_) {
    // Written only once what the file holds is in the list.
    unopened_ = ReadInto(list, path) == ReadResult::CannotOpen;
    if (unopened_) {
      prompts_.ShowError(FormatMessageText(kAllowedFileNotWritten, path));
      return false;
    }
  }
  std::string copy;
  if (!KeepDamagedCopy(copy)) {
    prompts_.ShowError(FormatMessageText(kCannotCreateFile, copy));
    return false;
  }
  try {
    files_.WriteWholeAtomically(path, EncodeAllowed(list.Entries()));
  } catch (const PlatformError&) {
    prompts_.ShowError(FormatMessageText(kCannotCreateFile, path));
    return false;
  }
  return true;
}

}  // namespace vandrel
