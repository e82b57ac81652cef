#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Shell.h"
#include "platform/win32/Handles.h"

namespace vandrel {

// The shell through shell32 and shfolder. shfolder's folder query is
// looked up once and kept for the adapter's life; the recycle bin's call is
// looked up in shell32 loaded for each call.
class Win32Shell : public Shell {
 public:
  // owner: the application window that owns the shell's windows.
  explicit Win32Shell(HWND owner);

  std::string EnvironmentVariable(const std::string& name) override;
  std::string SpecialFolderPath(SpecialFolder kind) override;
  void ClearRecentDocuments() override;
  bool EmptyRecycleBin() override;
  std::vector<std::string> Subfolders(const std::string& folder) override;

 private:
  using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);

  HWND owner_;
  UniqueModule shfolder_;
  FolderPathFunction folderPath_ = nullptr;
};

}  // namespace vandrel
