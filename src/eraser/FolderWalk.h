#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/NameMask.h"
#include "platform/TraceLook.h"

namespace vandrel {

// What lies in a folder that a step deletes in, found by a look that
// changes nothing. Links are listed, never entered: the erase removes a
// link as itself and leaves what it leads to.
struct FolderWalk {
  FolderLook look = FolderLook::Missing;  // of the folder itself
  std::size_t files = 0;                  // files that go, subfolders' included
  std::uint64_t bytes = 0;
  std::vector<std::string> filePaths;   // those files
  std::vector<std::string> links;       // links found inside that can be removed as themselves
  std::vector<std::string> keptLinks;   // links that cannot (the erase leaves them, and what they lead to)
  std::vector<std::string> unreadable;  // subfolders whose entries cannot be read
  std::vector<std::string> tooDeep;     // subfolders deeper than kMaxWalkDepth: not looked into, they stay whole
};

// The folder's entries matching mask, then everything in its subfolders
// down to kMaxWalkDepth, in time that grows with the entries;
// what kept names directly in the folder (its desktop.ini ...) is left out,
// as the step keeps it.
// pump runs before each entry, so that the caller's windows keep working
// through a large tree; it may end the walk by throwing.
FolderWalk WalkFolder(TraceLook& look, const std::string& folder, const std::string& mask, LookAt at,
                      const KeptNames& kept, const std::function<void()>& pump = {});

}  // namespace vandrel
