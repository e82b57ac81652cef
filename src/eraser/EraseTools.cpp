#include "eraser/EraseTools.h"

#include "platform/EraseRefusal.h"

namespace vandrel {

namespace {
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kMissingFolder = "Error";
}  // namespace

void EraseTools::DeleteFiles(const std::string& folder, const std::string& mask) {
  const DeleteCounts counts = files.DeleteMatching(folder, mask, true, progress);
  leftInPlace += counts.skipped + (counts.rootWasLink ? 1 : 0);
  if (deleted) deleted(folder, mask, false, counts);
  if (counts.refused) Inform(kDeleteFilesRefused);
}

void EraseTools::DeleteTree(const std::string& folder) {
  const DeleteCounts counts = files.DeleteTree(folder, progress);
  // The step has no message of its own: a refused folder is told as left.
  leftInPlace += counts.skipped + (counts.rootWasLink || counts.refused ? 1 : 0);
  if (deleted) deleted(folder, "*", true, counts);
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
