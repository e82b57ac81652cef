#include "platform/memory/MemoryTraceLook.h"

#include "platform/EraseRefusal.h"
#include "platform/FullPath.h"
#include "platform/NameMask.h"

namespace vandrel {
namespace {

using Kind = MemoryTraceFiles::Kind;

LookedEntry::Kind KindOf(Kind kind) {
  return kind == Kind::Folder ? LookedEntry::Kind::Folder
         : kind == Kind::Link ? LookedEntry::Kind::Link
                              : LookedEntry::Kind::File;
}

}  // namespace

FolderLook MemoryTraceLook::List(const std::string& folder, const std::string& mask, LookAt at,
                                 std::vector<LookedEntry>& entries) {
  const bool refused = at == LookAt::WholeFolder     ? RefusesDeleteTree(folder, files_.protectedFolders)
                       : at == LookAt::EmptiedFolder ? RefusesDeleteFiles(folder, mask, files_.protectedFolders)
                                                     : false;
  if (refused) return FolderLook::Refused;
  const auto path = ParseFullPath(folder);
  if (!path) return FolderLook::Unreadable;
  // The folder itself and every folder above it, outermost last (a folder
  // inside, itself only).
  for (FullPath above = *path; !above.names.empty(); above.names.pop_back()) {
    const auto found = files_.entries.find(PlainForm(above));
    if (found != files_.entries.end() && found->second.kind == Kind::Link) return FolderLook::Link;
    if (at == LookAt::Inside) break;
  }
  if (files_.Unreachable(folder)) return FolderLook::Unreachable;
  const std::string key = PlainForm(*path);
  const auto found = files_.entries.find(key);
  if (found == files_.entries.end() || found->second.kind != Kind::Folder) return FolderLook::Missing;
  if (unreadable.count(key) != 0) return FolderLook::Unreadable;
  for (const std::string& child : files_.ChildrenOf(key)) {
    const std::string name = child.substr(key.size() + 1);
    if (!MatchesMask(name, mask)) continue;
    const MemoryTraceFiles::Entry& entry = files_.entries.at(child);
    // A held link stands for one that cannot be removed as itself.
    entries.push_back({name, KindOf(entry.kind), entry.content.size(), files_.heldOpen.count(child) == 0});
  }
  return FolderLook::Listed;
}

bool MemoryTraceLook::IsFile(const std::string& path) {
  const auto full = ParseFullPath(path);
  const auto found = full ? files_.entries.find(PlainForm(*full)) : files_.entries.end();
  return found != files_.entries.end() && found->second.kind == Kind::File && !files_.Unreachable(path);
}

bool MemoryTraceLook::IsWipedIndexFile(const std::string& path) {
  const auto full = ParseFullPath(path);
  const auto found = full ? files_.entries.find(PlainForm(*full)) : files_.entries.end();
  return found != files_.entries.end() && found->second.kind == Kind::File && IsWipedIndex(found->second.content);
}

std::optional<bool> MemoryTraceLook::StartsAsIndex(const std::string& path) {
  if (files_.Unreachable(path)) return std::nullopt;
  return files_.StartsAsIndex(path);
}

}  // namespace vandrel
