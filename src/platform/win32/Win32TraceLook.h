#pragma once
#include <string>
#include <vector>

#include "platform/TraceLook.h"
#include "platform/win32/HandleFileCalls.h"

namespace vandrel {

// Looks at folders through kernel32 as Win32TraceFiles' deletes meet them:
// the same refusals, spelled as they are and where the folder really lies,
// and a link (or a link above) never entered. Nothing is opened but to
// read attributes, list and read. Paths come and go in the program's ANSI text.
class Win32TraceLook : public TraceLook {
 public:
  FolderLook List(const std::string& folder, const std::string& mask, LookAt at,
                  std::vector<LookedEntry>& entries) override;
  bool IsFile(const std::string& path) override;
  bool IsWipedIndexFile(const std::string& path) override;
  std::optional<bool> StartsAsIndex(const std::string& path) override;

 private:
  HandleFileCalls calls_;
};

}  // namespace vandrel
