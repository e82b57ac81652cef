#pragma once
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/EraseRefusal.h"
#include "platform/TraceFiles.h"

namespace vandrel {

// Files, folders and links held in memory, for tests of the erase steps.
// Paths are full paths in any spelling ("C:\x\\y" is "C:\x\y"); names are
// compared exactly. A link is removed itself, never followed.
class MemoryTraceFiles : public TraceFiles {
 public:
  enum class Kind { File, Folder, Link };
  struct Entry {
    Kind kind = Kind::File;
    std::string content;
    int links = 1;  // hard links of a file
  };

  std::map<std::string, Entry> entries;   // by plain full path
  std::set<std::string> heldOpen;         // cannot be deleted or opened for writing
  std::set<std::string> failingWipes;     // a wipe writes its first piece, then fails
  std::set<std::string> unreachable;      // folders on a network that cannot be reached, with all below them
  std::set<std::string> unreadableFiles;  // cannot be opened even to be read (locked by another program)
  int changesAsked = 0;                   // deletes, wipes and link removals asked for, done or not
  std::vector<KeptFolder> protectedFolders{"C:\\WINDOWS",
                                           "C:\\WINDOWS\\system32",
                                           "C:\\Program Files",
                                           "C:\\Documents and Settings\\User",
                                           {"C:\\Documents and Settings\\User\\My Documents", true}};

  // Each adds the missing folders above the entry.
  void AddFile(const std::string& path, const std::string& content = {}, int links = 1);
  void AddFolder(const std::string& path);
  void AddLink(const std::string& path);
  bool Has(const std::string& path) const;
  bool Unreachable(const std::string& path) const;
  // The entries directly in the folder of this plain full path, in order,
  // found without passing over what lies deeper.
  std::vector<std::string> ChildrenOf(const std::string& key) const;

  DeleteCounts DeleteTree(const std::string& folder, const DeleteProgress& progress) override;
  DeleteCounts DeleteMatching(const std::string& folder, const std::string& mask, const KeptNames& kept,
                              const DeleteProgress& progress) override;
  WipeOutcome WipeIndexFile(const std::string& file) override;
  DeleteCounts RemoveLinksInside(const std::string& folder, const DeleteProgress& progress) override;
  bool IndexIsWiped(const std::string& file) override;
  ContainerIndex ContainerIndexOf(const std::string& folder) override;
  // The file's first bytes are an index's; nothing when it cannot be read.
  std::optional<bool> StartsAsIndex(const std::string& path) const;

 private:
  void Add(const std::string& path, Entry entry);
  // Deletes the matching entries below folder, down to kMaxWalkDepth, as
  // the real walk does: folder by folder on a stack of its own.
  void DeleteEntries(const std::string& folder, const std::string& mask, const KeptNames& kept,
                     const DeleteProgress& progress, DeleteCounts& counts);
  void Remove(const std::string& path, const DeleteProgress& progress, DeleteCounts& counts);
};

}  // namespace vandrel
