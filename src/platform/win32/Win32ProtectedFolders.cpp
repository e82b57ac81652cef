// The folders no whole-folder erase may touch, nor any folder above them.
#include <windows.h>

#include <algorithm>

#include "platform/win32/Handles.h"
#include "platform/win32/Win32TraceFiles.h"

namespace vandrel {
namespace {

template <typename Query>
std::string TextOf(Query query) {
  char buffer[MAX_PATH + 1] = {};
  const UINT length = query(buffer, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : std::string();
}

std::string LongForm(const std::string& path) {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetLongPathNameA(path.c_str(), buffer, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? std::string(buffer, length) : path;
}

}  // namespace

std::vector<std::string> Win32TraceFiles::ProtectedFolders() {
  std::vector<std::string> folders{
      TextOf([](char* b, UINT n) { return GetWindowsDirectoryA(b, n); }),
      TextOf([](char* b, UINT n) { return GetSystemDirectoryA(b, n); }),
      TextOf([](char* b, UINT n) { return GetSystemWindowsDirectoryA(b, n); }),
  };
  for (const char* variable : {"SystemRoot", "windir", "ProgramFiles", "ProgramFiles(x86)", "ProgramW6432",
                               "CommonProgramFiles", "USERPROFILE", "ALLUSERSPROFILE"}) {
    folders.push_back(TextOf([&](char* b, UINT n) { return GetEnvironmentVariableA(variable, b, n); }));
  }
  // The shell knows them best; its folder query is looked up, as shell32
  // is not otherwise loaded.
  using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
  const UniqueModule shell(LoadLibraryA("shell32.dll"));
  const auto folderPath = shell ? reinterpret_cast<FolderPathFunction>(reinterpret_cast<void*>(
                                      GetProcAddress(shell.get(), "SHGetFolderPathA")))
                                : nullptr;
  // CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES,
  // CSIDL_PROGRAM_FILESX86 and CSIDL_PROFILE (whose parent, the folder of
  // all profiles, is refused as its ancestor).
  for (const int kind : {0x24, 0x25, 0x29, 0x26, 0x2a, 0x28}) {
    if (!folderPath) break;
    char buffer[MAX_PATH + 1] = {};
    if (SUCCEEDED(folderPath(nullptr, kind, nullptr, 0, buffer))) folders.emplace_back(buffer);
  }
  std::erase(folders, std::string());
  const std::size_t given = folders.size();
  for (std::size_t i = 0; i < given; ++i) folders.push_back(LongForm(folders[i]));
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  return folders;
}

}  // namespace vandrel
