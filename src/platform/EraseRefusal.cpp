#include "platform/EraseRefusal.h"

#include <algorithm>

#include "platform/FullPath.h"
#include "platform/NameMask.h"

namespace vandrel {
namespace {

// A root, or a folder that holds (or is) a protected folder.
bool HoldsSomethingProtected(const FullPath& folder, const std::vector<std::string>& protectedFolders) {
  if (IsRoot(folder)) return true;
  return std::any_of(protectedFolders.begin(), protectedFolders.end(), [&](const std::string& kept) {
    const auto keptPath = ParseFullPath(kept);
    return keptPath && IsSameOrBelow(*keptPath, folder);
  });
}

}  // namespace

bool RefusesDeleteFiles(std::string_view folder, std::string_view mask,
                        const std::vector<std::string>& protectedFolders) {
  if (folder.size() < 4 || !IsSingleFolderMask(mask)) return true;
  const auto path = ParseFullPath(folder);
  if (!path) return true;
  return MatchesEverything(mask) && HoldsSomethingProtected(*path, protectedFolders);
}

bool RefusesDeleteTree(std::string_view folder, const std::vector<std::string>& protectedFolders) {
  return RefusesDeleteFiles(folder, "*", protectedFolders);
}

}  // namespace vandrel
