#include "platform/win32/FolderIdentity.h"

#include <algorithm>

#include "platform/win32/Handles.h"
#include "platform/win32/NotThereErrors.h"
#include "platform/win32/PathLinks.h"
#include "platform/win32/WidePath.h"

namespace vandrel {

FolderIdentity IdentityOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return {information.dwVolumeSerialNumber, information.nFileIndexHigh, information.nFileIndexLow};
}

ProtectedIdentities::ProtectedIdentities(const std::vector<ProtectedFolder>& folders, const HandleFileCalls& calls) {
  std::vector<std::optional<FullPath>> wheres(folders.size());
  for (std::size_t kept = 0; kept < folders.size(); ++kept) {
    const auto named = [&](const ProtectedFolder& earlier) { return earlier.path == folders[kept].path; };
    if (std::any_of(folders.begin(), folders.begin() + kept, named)) continue;  // the system names many twice
    if (!Add(folders[kept].path, kept, false, folders[kept].withInside, calls, &wheres[kept])) {
      unreadable_ = unreadable_.value_or(kept);
    }
  }
  // Above each, where it really lies; each folder opened once.
  std::vector<std::string> walked;
  for (std::size_t kept = 0; kept < folders.size(); ++kept) {
    std::optional<FullPath> above = wheres[kept];
    while (above && !above->names.empty()) {
      above->names.pop_back();
      const std::string plain = PlainForm(*above);
      if (std::find(walked.begin(), walked.end(), plain) != walked.end()) break;
      walked.push_back(plain);
      if (!Add(WidePathOf(*above), kept, true, false, calls, nullptr)) unreadable_ = unreadable_.value_or(kept);
    }
  }
}

namespace {

// Opened through any link, to the folder it leads to.
UniqueFileHandle OpenFollowing(const std::wstring& path) {
  return UniqueFileHandle(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace

bool ProtectedIdentities::Add(const std::wstring& path, std::size_t kept, bool above, bool withInside,
                              const HandleFileCalls& calls, std::optional<FullPath>* where) {
  const UniqueFileHandle folder = OpenFollowing(path);
  if (!folder) return IsNotThere(GetLastError());
  BY_HANDLE_FILE_INFORMATION information;
  if (!GetFileInformationByHandle(folder.get(), &information)) return false;
  places_.push_back({IdentityOf(information), kept, above, !above && withInside});
  if (where) {
    *where = calls.FinalPath(folder.get());
    if (!*where) *where = ParseFullPath(Utf8FromWide(path));  // as named, where XP cannot tell
  }
  return true;
}

Refusal ProtectedIdentities::Find(const FolderIdentity& folder, const FullPath& where) const {
  using Kind = Refusal::Kind;
  if (unreadable_) return {Kind::CannotTell, *unreadable_};
  // The folder itself before anything it holds: places_ lists them first.
  const auto found =
      std::find_if(places_.begin(), places_.end(), [&](const Place& place) { return place.identity == folder; });
  if (found != places_.end()) return {found->above ? Kind::HoldsProtected : Kind::IsProtected, found->kept};
  // A folder above that cannot be opened is passed over: the folder's
  // spellings were compared with the user's own files already.
  for (FullPath above = where; !above.names.empty();) {
    above.names.pop_back();
    const UniqueFileHandle held = OpenFollowing(WidePathOf(above));
    BY_HANDLE_FILE_INFORMATION information;
    if (!held || !GetFileInformationByHandle(held.get(), &information)) continue;
    const auto holder = std::find_if(places_.begin(), places_.end(), [&](const Place& place) {
      return place.withInside && place.identity == IdentityOf(information);
    });
    if (holder != places_.end()) return {Kind::InsideProtected, holder->kept};
  }
  return {};
}

}  // namespace vandrel
