#include "eraser/EraseTools.h"

#include "eraser/EraseRefusal.h"

namespace vandrel {

namespace {
constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kMissingFolder = "Error";
}  // namespace

void EraseTools::DeleteFiles(const std::string& folder, const std::string& mask) {
  const DeleteCounts counts = files.DeleteMatching(folder, mask, true, progress);
  if (counts.refused) Inform(kDeleteFilesRefused);
}

std::string EraseTools::ShellFolder(const std::string& valueName) {
  const auto value = registry.ReadValue(RootKey::CurrentUser, kShellFolders, valueName);
  if (!value || value->kind != ValueKind::String || value->text == kMissingFolder) return {};
  return value->text;
}

}  // namespace vandrel
