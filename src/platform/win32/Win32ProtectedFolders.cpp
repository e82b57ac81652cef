// The folders no whole-folder erase may touch, nor any folder above them.
#include <windows.h>

#include <algorithm>

#include "platform/win32/ComparableSpelling.h"
#include "platform/win32/FunctionLookup.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Win32TraceFiles.h"

namespace vandrel {
namespace {

template <typename Query>
std::wstring TextOf(Query query) {
  wchar_t buffer[MAX_PATH + 1] = {};
  const UINT length = query(buffer, MAX_PATH + 1);
  return length > 0 && length <= MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

// A string value of the shell's folder key, where tweak tools and older
// programs set a user's folders without the shell.
std::wstring ShellFoldersValue(HKEY root, const wchar_t* name) {
  UniqueHkey key;
  if (RegOpenKeyExW(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0, KEY_QUERY_VALUE,
                    key.put()) != ERROR_SUCCESS) {
    return {};
  }
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD type = 0, size = sizeof buffer - sizeof(wchar_t);
  if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return {};
  }
  return buffer;
}

}  // namespace

std::vector<std::string> Win32TraceFiles::ProtectedFolders() const {
  std::vector<std::wstring> folders{
      TextOf([](wchar_t* b, UINT n) { return GetWindowsDirectoryW(b, n); }),
      TextOf([](wchar_t* b, UINT n) { return GetSystemDirectoryW(b, n); }),
      TextOf([](wchar_t* b, UINT n) { return GetSystemWindowsDirectoryW(b, n); }),
  };
  for (const wchar_t* variable : {L"SystemRoot", L"windir", L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432",
                                  L"CommonProgramFiles", L"USERPROFILE", L"ALLUSERSPROFILE"}) {
    folders.push_back(TextOf([&](wchar_t* b, UINT n) { return GetEnvironmentVariableW(variable, b, n); }));
  }
  // The user's own files: redirected or moved, a browser folder may be set
  // onto them (or below them, which is no harm).
  for (const wchar_t* name : {L"Personal", L"Desktop", L"My Pictures", L"My Music", L"AppData"}) {
    folders.push_back(ShellFoldersValue(HKEY_CURRENT_USER, name));
  }
  folders.push_back(ShellFoldersValue(HKEY_LOCAL_MACHINE, L"Common Documents"));
  // The shell knows them best; its folder query is looked up, as shell32
  // is not otherwise loaded.
  using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  const UniqueModule shell(LoadLibraryA("shell32.dll"));
  const auto folderPath = LookupFunction<FolderPathFunction>(shell.get(), "SHGetFolderPathW");
  // CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES,
  // CSIDL_PROGRAM_FILESX86 and CSIDL_PROFILE (whose parent, the folder of
  // all profiles, is refused as its ancestor); CSIDL_PERSONAL,
  // CSIDL_DESKTOPDIRECTORY, CSIDL_MYPICTURES, CSIDL_MYMUSIC, CSIDL_APPDATA
  // and CSIDL_COMMON_DOCUMENTS.
  for (const int kind : {0x24, 0x25, 0x29, 0x26, 0x2a, 0x28, 0x05, 0x10, 0x27, 0x0d, 0x1a, 0x2e}) {
    if (!folderPath) break;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (SUCCEEDED(folderPath(nullptr, kind, nullptr, 0, buffer))) folders.emplace_back(buffer);
  }
  std::vector<std::string> spellings;
  for (const std::wstring& folder : folders) {
    if (!folder.empty()) spellings.push_back(ComparableSpelling(folder));
  }
  std::sort(spellings.begin(), spellings.end());
  spellings.erase(std::unique(spellings.begin(), spellings.end()), spellings.end());
  return spellings;
}

}  // namespace vandrel
