#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vandrel {

// One entry of a folder as a look finds it.
struct LookedEntry {
  enum class Kind { File, Folder, Link };
  std::string name;
  Kind kind = Kind::File;
  std::uint64_t bytes = 0;  // a file's size
  bool removable = true;    // a link that can be removed as itself (none can under Wine)
};

// How the erase would meet a folder, before its entries.
enum class FolderLook {
  Listed,      // its entries are read
  Missing,     // nothing (or a file) is there: nothing to do
  Unreachable, // it cannot be reached over the network: not there for this step
  Unreadable,  // it is there, but its entries or where it really lies cannot be read
  Refused,     // the erase refuses it: a root, a protected folder or one above one, no full path
  Link,        // the folder, or one above it, is a link
};

// Which checks a look makes: those of a step's folder, emptied or removed
// whole; for a step's folder looked at again after its delete, none beyond
// reading and the links above it; for a folder a walk found in its
// folder's listing, none beyond reading and whether it is a link itself
// (the walk came down through the folders above it: looking at each again
// at every level would cost the square of the depth).
enum class LookAt { EmptiedFolder, WholeFolder, Again, Inside };

// Looks at the folders the erase steps name as their deletes would meet
// them, and changes nothing: nothing is opened for writing, deleted or
// given other attributes. Paths, masks and the names found are UTF-8.
class TraceLook {
 public:
  virtual ~TraceLook() = default;
  // The entries of folder matching mask, "." and ".." left out.
  virtual FolderLook List(const std::string& folder, const std::string& mask, LookAt at,
                          std::vector<LookedEntry>& entries) = 0;
  // A plain file is at path.
  virtual bool IsFile(const std::string& path) = 0;
  // The file holds what a wipe leaves (IsWipedIndex), read only.
  virtual bool IsWipedIndexFile(const std::string& path) = 0;
  // The file starts as a URL-cache index (StartsAsUrlCacheIndex), read
  // only; nothing when it cannot be read.
  virtual std::optional<bool> StartsAsIndex(const std::string& path) = 0;
};

}  // namespace vandrel
