#include "eraser/FolderWalk.h"

#include "platform/FullPath.h"
#include "platform/NameMask.h"

namespace vandrel {
namespace {

void WalkEntries(TraceLook& look, const std::string& folder, const std::vector<LookedEntry>& entries,
                 bool keepDesktopIni, const std::function<void()>& pump, FolderWalk& walk) {
  for (const LookedEntry& entry : entries) {
    if (pump) pump();
    const std::string path = PathUnder(folder, entry.name);
    switch (entry.kind) {
      case LookedEntry::Kind::Link: (entry.removable ? walk.links : walk.keptLinks).push_back(path); break;
      case LookedEntry::Kind::File:
        if (keepDesktopIni && IsDesktopIni(entry.name)) break;
        ++walk.files;
        walk.bytes += entry.bytes;
        walk.filePaths.push_back(path);
        break;
      case LookedEntry::Kind::Folder: {
        std::vector<LookedEntry> inside;
        const FolderLook found = look.List(path, "*", LookAt::Inside, inside);
        if (found == FolderLook::Link) {
          walk.links.push_back(path);
        } else if (found != FolderLook::Listed) {
          walk.unreadable.push_back(path);
        } else {
          WalkEntries(look, path, inside, false, pump, walk);
        }
        break;
      }
    }
  }
}

}  // namespace

FolderWalk WalkFolder(TraceLook& look, const std::string& folder, const std::string& mask, LookAt at,
                      bool keepDesktopIni, const std::function<void()>& pump) {
  FolderWalk walk;
  std::vector<LookedEntry> entries;
  walk.look = look.List(folder, mask, at, entries);
  if (walk.look == FolderLook::Listed) WalkEntries(look, folder, entries, keepDesktopIni, pump, walk);
  return walk;
}

}  // namespace vandrel
