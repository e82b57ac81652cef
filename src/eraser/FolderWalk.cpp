#include "eraser/FolderWalk.h"

#include <utility>

#include "platform/NameMask.h"
#include "platform/TraceFiles.h"

namespace vandrel {
namespace {

// A folder the walk is in.
struct WalkedFolder {
  std::vector<LookedEntry> entries;
  std::size_t pathLength = 0;  // of its path and the backslash after it, at the start of the walk's path
  std::size_t level = 0;       // below the walked folder, which is 0
  std::size_t next = 0;
};

// The walk goes folder by folder on a stack of its own (a tree deep enough
// would end a walk that recursed with the end of the thread's stack), and
// builds each entry's path on its folder's, which they all share.
void WalkEntries(TraceLook& look, const std::string& folder, std::vector<LookedEntry> entries, const KeptNames& kept,
                 const std::function<void()>& pump, FolderWalk& walk) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  std::vector<WalkedFolder> folders;  // the walked folder, then each subfolder in the one before
  folders.push_back({std::move(entries), path.size(), 0, 0});
  while (!folders.empty()) {
    WalkedFolder& in = folders.back();
    if (in.next == in.entries.size()) {
      folders.pop_back();
      continue;
    }
    const LookedEntry& entry = in.entries[in.next++];
    if (pump) pump();
    path.resize(in.pathLength);
    path += entry.name;
    switch (entry.kind) {
      case LookedEntry::Kind::Link: (entry.removable ? walk.links : walk.keptLinks).push_back(path); break;
      case LookedEntry::Kind::File:
        if (in.level == 0 && kept.Keeps(entry.name, false)) break;
        ++walk.files;
        walk.bytes += entry.bytes;
        walk.filePaths.push_back(path);
        break;
      case LookedEntry::Kind::Folder: {
        if (in.level >= kMaxWalkDepth) {
          walk.tooDeep.push_back(path);
          break;
        }
        WalkedFolder inside{{}, path.size() + 1, in.level + 1, 0};
        const FolderLook found = look.List(path, "*", LookAt::Inside, inside.entries);
        if (found == FolderLook::Link) {
          walk.links.push_back(path);
        } else if (found != FolderLook::Listed) {
          walk.unreadable.push_back(path);
        } else {
          path += '\\';
          folders.push_back(std::move(inside));
        }
        break;
      }
    }
  }
}

}  // namespace

FolderWalk WalkFolder(TraceLook& look, const std::string& folder, const std::string& mask, LookAt at,
                      const KeptNames& kept, const std::function<void()>& pump) {
  FolderWalk walk;
  std::vector<LookedEntry> entries;
  walk.look = look.List(folder, mask, at, entries);
  if (walk.look == FolderLook::Listed) WalkEntries(look, folder, std::move(entries), kept, pump, walk);
  return walk;
}

}  // namespace vandrel
