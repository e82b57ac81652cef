#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Shell.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {

// The shell through shell32 and shfolder, each loaded at its first use and
// kept for the adapter's life.
class Win32Shell : public Shell {
 public:
  // owner: the application window that owns the shell's windows.
  explicit Win32Shell(HWND owner);

  std::string EnvironmentVariable(const std::string& name) override;
  std::string SpecialFolderPath(SpecialFolder kind) override;
  void ClearRecentDocuments() override;
  bool EmptyRecycleBin() override;
  std::optional<std::vector<std::string>> Subfolders(const std::string& folder) override;

 private:
  HWND owner_;
  LateLibrary shfolder_{"shfolder.dll"};
  LateLibrary shell32_{"shell32.dll"};
};

}  // namespace vandrel
