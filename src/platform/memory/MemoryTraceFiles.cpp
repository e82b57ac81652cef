#include "platform/memory/MemoryTraceFiles.h"

#include <algorithm>

#include "platform/EraseRefusal.h"
#include "platform/FileSystem.h"
#include "platform/FullPath.h"
#include "platform/NameMask.h"
#include "platform/PlatformError.h"

namespace vandrel {
namespace {

// The plain spelling of a full path; empty for anything else.
std::string Key(const std::string& path) {
  const auto full = ParseFullPath(path);
  return full ? PlainForm(*full) : std::string();
}

void Pump(const DeleteProgress& progress) {
  if (progress.pump) progress.pump();
}

}  // namespace

void MemoryTraceFiles::Add(const std::string& path, Entry entry) {
  const std::string key = Key(path);
  for (auto slash = key.find('\\', 3); slash != std::string::npos; slash = key.find('\\', slash + 1)) {
    entries.try_emplace(key.substr(0, slash), Entry{Kind::Folder, {}, 1});
  }
  entries[key] = std::move(entry);
}

void MemoryTraceFiles::AddFile(const std::string& path, const std::string& content, int links) {
  Add(path, {Kind::File, content, links});
}
void MemoryTraceFiles::AddFolder(const std::string& path) { Add(path, {Kind::Folder, {}, 1}); }
void MemoryTraceFiles::AddLink(const std::string& path) { Add(path, {Kind::Link, {}, 1}); }
bool MemoryTraceFiles::Has(const std::string& path) const { return entries.count(Key(path)) != 0; }

bool MemoryTraceFiles::Unreachable(const std::string& path) const {
  const std::string key = Key(path);
  return std::any_of(unreachable.begin(), unreachable.end(), [&](const std::string& folder) {
    return key == folder || key.compare(0, folder.size() + 1, folder + "\\") == 0;
  });
}

std::vector<std::string> MemoryTraceFiles::ChildrenOf(const std::string& key) const {
  const std::string prefix = key + "\\";
  std::vector<std::string> children;
  for (auto child = entries.lower_bound(prefix); child != entries.end() && child->first.starts_with(prefix);) {
    const std::size_t below = child->first.find('\\', prefix.size());
    if (below == std::string::npos) {
      children.push_back(child->first);
      ++child;
    } else {
      // Past everything in that subfolder: ']' follows '\\'.
      child = entries.lower_bound(child->first.substr(0, below) + "]");
    }
  }
  return children;
}

void MemoryTraceFiles::Remove(const std::string& key, const DeleteProgress& progress, DeleteCounts& counts) {
  entries.erase(key);
  ++counts.removed;
  if (progress.removed) progress.removed(counts.removed);
}

void MemoryTraceFiles::DeleteEntries(const std::string& folder, const std::string& mask, const KeptNames& kept,
                                     const DeleteProgress& progress, DeleteCounts& counts) {
  struct Emptied {
    std::string key;
    std::vector<std::string> children;
    std::size_t level = 0;  // below folder, which is 0
    std::size_t skippedBefore = 0;
    std::size_t next = 0;
  };
  std::vector<Emptied> folders;  // folder, then each subfolder in the one before
  folders.push_back({folder, ChildrenOf(folder), 0, counts.skipped, 0});
  while (!folders.empty()) {
    Emptied& in = folders.back();
    if (in.next == in.children.size()) {
      const Emptied left = std::move(in);
      folders.pop_back();
      if (left.level == 0) continue;
      if (counts.skipped == left.skippedBefore) {
        Remove(left.key, progress, counts);
      } else {
        ++counts.skipped;  // the folder keeps what could not go
      }
      continue;
    }
    const std::string key = in.children[in.next++];
    Pump(progress);
    const std::string name = key.substr(in.key.size() + 1);
    const Kind kind = entries.at(key).kind;
    // The folder's own entries are chosen by the mask; a subfolder goes whole.
    if (in.level == 0 && (!MatchesMask(name, mask) || kept.Keeps(name, kind == Kind::Folder))) {
      continue;
    }
    if (heldOpen.count(key) != 0 || (kind == Kind::Folder && in.level >= kMaxWalkDepth)) {
      ++counts.skipped;  // deeper than the walk goes, a folder stays with all it holds
    } else if (kind == Kind::Folder) {
      folders.push_back({key, ChildrenOf(key), in.level + 1, counts.skipped, 0});
    } else {
      Remove(key, progress, counts);
    }
  }
}

DeleteCounts MemoryTraceFiles::DeleteMatching(const std::string& folder, const std::string& mask, const KeptNames& kept,
                                              const DeleteProgress& progress) {
  ++changesAsked;
  DeleteCounts counts;
  if (RefusesDeleteFiles(folder, mask, protectedFolders)) {
    counts.refused = true;
    return counts;
  }
  counts.unreachable = Unreachable(folder);
  const std::string key = Key(folder);
  const auto found = entries.find(key);
  if (found == entries.end() || counts.unreachable) return counts;
  if (found->second.kind == Kind::Link) {
    counts.rootWasLink = true;
    return counts;
  }
  DeleteEntries(key, mask, kept, progress, counts);
  return counts;
}

DeleteCounts MemoryTraceFiles::DeleteTree(const std::string& folder, const DeleteProgress& progress) {
  DeleteCounts counts = DeleteMatching(folder, "*", false, progress);
  const std::string key = Key(folder);
  if (counts.rootWasLink && heldOpen.count(key) == 0) {
    counts.rootWasLink = false;  // a tree that is a link goes as the link alone
    Remove(key, progress, counts);
    return counts;
  }
  if (counts.refused || counts.rootWasLink || entries.count(key) == 0) return counts;
  if (counts.skipped == 0 && heldOpen.count(key) == 0) {
    Remove(key, progress, counts);
  } else {
    ++counts.skipped;
  }
  return counts;
}

WipeOutcome MemoryTraceFiles::WipeIndexFile(const std::string& file) {
  ++changesAsked;
  const auto found = entries.find(Key(file));
  if (found == entries.end() || Unreachable(file)) return WipeOutcome::Missing;
  if (heldOpen.count(found->first) != 0) {
    throw PlatformError(FormatMessageText(kCannotOpenFile, file));
  }
  Entry& entry = found->second;
  if (entry.kind != Kind::File || entry.links != 1) return WipeOutcome::LeftAlone;
  const std::size_t length = std::max(entry.content.size(), kEmptyIndexHeaderSize);
  const std::string wiped = std::string(kEmptyIndexHeader) + std::string(length - kEmptyIndexHeaderSize, '\0');
  if (failingWipes.count(found->first) != 0) {
    // The first piece went, the old records after it stay.
    entry.content.replace(0, std::min(length, kWipePieceSize), wiped, 0, std::min(length, kWipePieceSize));
    throw PlatformError(FormatMessageText(kCannotOpenFile, file));
  }
  entry.content = wiped;
  return WipeOutcome::Wiped;
}

DeleteCounts MemoryTraceFiles::RemoveLinksInside(const std::string& folder, const DeleteProgress& progress) {
  ++changesAsked;
  DeleteCounts counts;
  if (RefusesDeleteFiles(folder, "*", protectedFolders)) {
    counts.refused = true;
    return counts;
  }
  const std::string key = Key(folder);
  const auto root = entries.find(key);
  if (root != entries.end() && root->second.kind == Kind::Link) {
    counts.rootWasLink = true;
    return counts;
  }
  std::vector<std::pair<std::string, std::size_t>> folders{{key, 0}};  // to look into, with their level
  while (!folders.empty()) {
    const auto [folder, level] = std::move(folders.back());
    folders.pop_back();
    for (const std::string& child : ChildrenOf(folder)) {
      Pump(progress);
      const Kind kind = entries.at(child).kind;
      // A held link stands for one that cannot be removed as itself; deeper
      // than the walk goes, what links a folder holds is not known.
      if ((kind == Kind::Link && heldOpen.count(child) != 0) || (kind == Kind::Folder && level >= kMaxWalkDepth)) {
        ++counts.skipped;
      } else if (kind == Kind::Link) {
        Remove(child, progress, counts);
      } else if (kind == Kind::Folder) {
        folders.emplace_back(child, level + 1);
      }
    }
  }
  return counts;
}

bool MemoryTraceFiles::IndexIsWiped(const std::string& file) {
  const auto found = entries.find(Key(file));
  return found != entries.end() && found->second.kind == Kind::File && IsWipedIndex(found->second.content);
}

std::optional<bool> MemoryTraceFiles::StartsAsIndex(const std::string& path) const {
  const auto found = entries.find(Key(path));
  if (found == entries.end() || found->second.kind != Kind::File || unreadableFiles.count(found->first) != 0) {
    return std::nullopt;
  }
  return StartsAsUrlCacheIndex(found->second.content);
}

ContainerIndex MemoryTraceFiles::ContainerIndexOf(const std::string& folder) {
  const std::string key = Key(folder);
  const auto found = entries.find(key);
  if (RefusesDeleteFiles(folder, "*", protectedFolders) || Unreachable(folder) || found == entries.end() ||
      found->second.kind != Kind::Folder) {
    return ContainerIndex::NotEntered;
  }
  std::vector<LookedEntry> listed;
  for (const std::string& path : ChildrenOf(key)) {
    const Entry& entry = entries.at(path);
    const auto kind = entry.kind == Kind::File   ? LookedEntry::Kind::File
                      : entry.kind == Kind::Link ? LookedEntry::Kind::Link
                                                 : LookedEntry::Kind::Folder;
    listed.push_back({path.substr(key.size() + 1), kind});
  }
  return JudgeContainer(listed, [&](const std::string& name) { return StartsAsIndex(key + "\\" + name); });
}

}  // namespace vandrel
