#include "platform/EraseRefusal.h"

#include "platform/FullPath.h"
#include "platform/NameMask.h"

namespace vandrel {

Refusal FindRefusal(std::string_view folder, std::string_view mask, const std::vector<KeptFolder>& protectedFolders) {
  using Kind = Refusal::Kind;
  if (folder.size() < 4 || !IsSingleFolderMask(mask)) return {Kind::NoPlace};
  const auto path = ParseFullPath(folder);
  if (!path) return {Kind::NoPlace};
  const bool everything = MatchesEverything(mask);
  if (everything && IsRoot(*path)) return {Kind::Root};
  // A folder that is a protected folder, else the first that holds one or
  // lies inside the user's own files. Inside those no mask is narrow
  // enough: any file there may be the user's.
  Refusal found;
  for (std::size_t at = 0; at < protectedFolders.size(); ++at) {
    const auto keptPath = ParseFullPath(protectedFolders[at].path);
    if (!keptPath) continue;
    const bool same = keptPath->names.size() == path->names.size();
    if (protectedFolders[at].withInside && IsSameOrBelow(*path, *keptPath)) {
      if (same) return {Kind::IsProtected, at};
      if (found.kind == Kind::None) found = {Kind::InsideProtected, at};
    }
    if (!everything || !IsSameOrBelow(*keptPath, *path)) continue;
    if (same) return {Kind::IsProtected, at};
    if (found.kind == Kind::None) found = {Kind::HoldsProtected, at};
  }
  return found;
}

bool RefusesDeleteFiles(std::string_view folder, std::string_view mask,
                        const std::vector<KeptFolder>& protectedFolders) {
  return FindRefusal(folder, mask, protectedFolders).kind != Refusal::Kind::None;
}

bool RefusesDeleteTree(std::string_view folder, const std::vector<KeptFolder>& protectedFolders) {
  return RefusesDeleteFiles(folder, "*", protectedFolders);
}

std::string RefusalText(const Refusal& refusal, std::string_view folder, std::string_view kept, std::string_view what) {
  const std::string named = "Not erased: " + std::string(folder);
  const std::string keptNamed = std::string(what) + " (" + std::string(kept) + ")";
  switch (refusal.kind) {
    case Refusal::Kind::None: return {};
    case Refusal::Kind::NoPlace: return named + " is not a full path of one folder.";
    case Refusal::Kind::Root: return named + " is the root of a drive or share.";
    case Refusal::Kind::IsProtected: return named + " is " + keptNamed + ".";
    case Refusal::Kind::HoldsProtected: return named + " holds " + keptNamed + ".";
    case Refusal::Kind::InsideProtected: return named + " lies inside " + keptNamed + ".";
    case Refusal::Kind::CannotTell:
      return what.empty() ? named + ": where it really lies cannot be told."
                          : named + ": it cannot be told apart from " + keptNamed + ", whose place cannot be read.";
  }
  return {};
}

}  // namespace vandrel
