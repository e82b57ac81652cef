#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Shell.h"
#include "platform/memory/MemoryTraceFiles.h"

namespace vandrel {

// The shell for tests: environment and special folders from maps, files and
// subfolders seen in the test's MemoryTraceFiles.
class MemoryShell : public Shell {
 public:
  explicit MemoryShell(MemoryTraceFiles& files) : files_(files) {}

  std::map<std::string, std::string> environment;
  std::map<SpecialFolder, std::string> specialFolders;
  bool shellLibraryLoads = true;
  int recentDocumentsCleared = 0;
  int recycleBinsEmptied = 0;
  std::set<std::string> unlistable;  // folders there whose listing fails

  std::string EnvironmentVariable(const std::string& name) override;
  std::string SpecialFolderPath(SpecialFolder kind) override;
  void ClearRecentDocuments() override { ++recentDocumentsCleared; }
  bool EmptyRecycleBin() override;
  std::optional<std::vector<std::string>> Subfolders(const std::string& folder) override;

 private:
  MemoryTraceFiles& files_;
};

}  // namespace vandrel
