#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/TraceLook.h"
#include "platform/memory/MemoryTraceFiles.h"

namespace vandrel {

// Looks at the test's MemoryTraceFiles, refusing what its deletes refuse;
// a file's size is the length of its content.
class MemoryTraceLook : public TraceLook {
 public:
  explicit MemoryTraceLook(const MemoryTraceFiles& files) : files_(files) {}

  std::set<std::string> unreadable;  // folders whose entries cannot be read, by plain full path

  FolderLook List(const std::string& folder, const std::string& mask, LookAt at,
                  std::vector<LookedEntry>& entries) override;
  bool IsFile(const std::string& path) override;
  bool IsWipedIndexFile(const std::string& path) override;
  std::optional<bool> StartsAsIndex(const std::string& path) override;

 private:
  const MemoryTraceFiles& files_;
};

}  // namespace vandrel
