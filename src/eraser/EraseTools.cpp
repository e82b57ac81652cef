#include "eraser/EraseTools.h"

#include "platform/EraseRefusal.h"
#include "platform/FullPath.h"
#include "platform/PlatformError.h"

namespace vandrel {

namespace {
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kMissingFolder = "Error";
}  // namespace

DeleteCounts EraseTools::DeleteFiles(const std::string& folder, const std::string& mask, const KeptNames& kept) {
  const DeleteCounts counts = files.DeleteMatching(folder, mask, kept, progress);
  leftInPlace += counts.skipped + (counts.rootWasLink ? 1 : 0);
  if (deleted) deleted(folder, mask, false, counts);
  if (counts.refused) Inform(kDeleteFilesRefused);
  return counts;
}

void EraseTools::WipeIndex(const std::string& file) {
  if (file.empty()) return;
  WipeOutcome outcome = WipeOutcome::Missing;
  try {
    outcome = files.WipeIndexFile(file);
  } catch (const PlatformError& error) {
    wipedIndexes.push_back(file);
    if (indexWiped) indexWiped(file, WipeOutcome::Wiped, error.what());
    throw;
  }
  if (outcome == WipeOutcome::Wiped) wipedIndexes.push_back(file);
  if (outcome == WipeOutcome::LeftAlone) ++leftInPlace;
  if (indexWiped) indexWiped(file, outcome, {});
}

void EraseTools::DeleteTree(const std::string& folder) {
  const DeleteCounts counts = files.DeleteTree(folder, progress);
  // The step has no message of its own: a refused folder is told as left.
  leftInPlace += counts.skipped + (counts.rootWasLink || counts.refused ? 1 : 0);
  if (deleted) deleted(folder, "*", true, counts);
}

bool EraseTools::MayEmptyContainer(const std::string& folder) {
  const ContainerIndex index = files.ContainerIndexOf(folder);
  if (index == ContainerIndex::Held || index == ContainerIndex::NotEntered) return true;
  KeepContainer(folder, index == ContainerIndex::NotHeld ? kWhyNoContainerIndex : kWhyContainerIndexUnreadable);
  return false;
}

std::vector<std::string> EraseTools::SubfoldersOf(const std::string& folder) {
  if (auto names = shell.Subfolders(folder)) return std::move(*names);
  ++leftInPlace;
  if (notListed) notListed(folder);
  return {};
}

void EraseTools::KeepContainer(const std::string& folder, const char* why) {
  ++leftInPlace;
  if (containerKept) containerKept(folder, why);
}

bool EraseTools::KeepsCacheEntry(const UrlCacheEntry& entry) {
  if (!cookiesToKeep.KeepsEntry(entry.sourceUrl)) return false;
  keptCookies[entry.sourceUrl] = entry.localFileName;
  return true;
}

KeptNames EraseTools::KeptInCookieFolder(const std::string& folder) const {
  KeptNames kept(true);
  kept.names.push_back("index.dat");
  const auto cookieFolder = ParseFullPath(folder);
  for (const auto& [url, file] : keptCookies) {
    const auto path = ParseFullPath(file);
    if (!cookieFolder || !path || path->names.size() <= cookieFolder->names.size() ||
        !IsSameOrBelow(*path, *cookieFolder)) {
      continue;
    }
    kept.names.push_back(path->names[cookieFolder->names.size()]);
  }
  return kept;
}

std::vector<ReportEntry> EraseTools::KeptCookieLines() const {
  std::vector<ReportEntry> lines;
  for (const std::string& leftOut : cookiesToKeep.LeftOut()) {
    lines.push_back({"Cookies", PlaceFate::Told, kCookiesToKeepLeftOut + leftOut, 0, 0, {}});
  }
  if (cookiesToKeep.Empty()) return lines;
  std::vector<std::string> urls;
  for (const auto& [url, file] : keptCookies) urls.push_back(url);
  lines.push_back({"Cookies", PlaceFate::CookiesKept, KeptCookiesText(cookiesToKeep, urls), 0, 0, kWhyCookiesKept});
  return lines;
}

namespace {
std::string FolderOrEmpty(const std::optional<std::string>& folder) {
  return folder && *folder != kMissingFolder ? *folder : std::string{};
}
}  // namespace

std::string EraseTools::ShellFolder(const std::string& valueName) {
  return FolderOrEmpty(registry.ReadPath(RootKey::CurrentUser, kShellFolders, valueName));
}

}  // namespace vandrel
