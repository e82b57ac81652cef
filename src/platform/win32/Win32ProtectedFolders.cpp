// The folders no whole-folder erase may touch, nor any folder above them.
#include <windows.h>

#include "platform/win32/FunctionLookup.h"
#include "platform/win32/Handles.h"
#include "platform/win32/ProtectedFolders.h"
#include "platform/win32/SystemLibrary.h"

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

struct Named {
  const wchar_t* name;
  const char* what;
};

// The environment's folders.
constexpr Named kVariables[] = {
    {L"SystemRoot", "the Windows folder"},  {L"windir", "the Windows folder"},
    {L"ProgramFiles", "Program Files"},     {L"ProgramFiles(x86)", "Program Files"},
    {L"ProgramW6432", "Program Files"},     {L"CommonProgramFiles", "the programs' common files"},
    {L"USERPROFILE", "the user's profile"}, {L"ALLUSERSPROFILE", "the profile of all users"},
};

// The user's own files and the programs' data: redirected or moved, a
// browser folder may be set onto them (or below them, which is no harm).
constexpr Named kUserShellFolders[] = {
    {L"Personal", "the documents"},
    {L"Desktop", "the desktop"},
    {L"My Pictures", "the pictures"},
    {L"My Music", "the music"},
    {L"My Video", "the videos"},
    {L"AppData", "the application data"},
    {L"Local AppData", "the local application data"},
};
constexpr Named kCommonShellFolders[] = {
    {L"Common Documents", "the shared documents"},
    {L"Common Desktop", "the shared desktop"},
    {L"Common AppData", "the shared application data"},
};

struct Kind {
  int csidl;
  const char* what;
};

// CSIDL_PROFILE's parent, the folder of all profiles, is refused as its
// ancestor.
constexpr Kind kShellKinds[] = {
    {0x24, "the Windows folder"},           // CSIDL_WINDOWS
    {0x25, "the system folder"},            // CSIDL_SYSTEM
    {0x29, "the system folder"},            // CSIDL_SYSTEMX86
    {0x26, "Program Files"},                // CSIDL_PROGRAM_FILES
    {0x2a, "Program Files"},                // CSIDL_PROGRAM_FILESX86
    {0x28, "the user's profile"},           // CSIDL_PROFILE
    {0x05, "the documents"},                // CSIDL_PERSONAL
    {0x10, "the desktop"},                  // CSIDL_DESKTOPDIRECTORY
    {0x27, "the pictures"},                 // CSIDL_MYPICTURES
    {0x0d, "the music"},                    // CSIDL_MYMUSIC
    {0x0e, "the videos"},                   // CSIDL_MYVIDEO
    {0x1a, "the application data"},         // CSIDL_APPDATA
    {0x1c, "the local application data"},   // CSIDL_LOCAL_APPDATA
    {0x2e, "the shared documents"},         // CSIDL_COMMON_DOCUMENTS
    {0x19, "the shared desktop"},           // CSIDL_COMMON_DESKTOPDIRECTORY
    {0x23, "the shared application data"},  // CSIDL_COMMON_APPDATA
};

}  // namespace

std::vector<ProtectedFolder> ReadProtectedFolders() {
  std::vector<ProtectedFolder> folders{
      {TextOf([](wchar_t* b, UINT n) { return GetWindowsDirectoryW(b, n); }), "the Windows folder"},
      {TextOf([](wchar_t* b, UINT n) { return GetSystemDirectoryW(b, n); }), "the system folder"},
      {TextOf([](wchar_t* b, UINT n) { return GetSystemWindowsDirectoryW(b, n); }), "the Windows folder"},
  };
  for (const Named& variable : kVariables) {
    folders.push_back(
        {TextOf([&](wchar_t* b, UINT n) { return GetEnvironmentVariableW(variable.name, b, n); }), variable.what});
  }
  for (const Named& value : kUserShellFolders) {
    folders.push_back({ShellFoldersValue(HKEY_CURRENT_USER, value.name), value.what});
  }
  for (const Named& value : kCommonShellFolders) {
    folders.push_back({ShellFoldersValue(HKEY_LOCAL_MACHINE, value.name), value.what});
  }
  // The shell knows them best; its folder query is looked up, as shell32
  // is not otherwise loaded.
  using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  const UniqueModule shell(LoadSystemLibrary("shell32.dll"));
  const auto folderPath = LookupFunction<FolderPathFunction>(shell.get(), "SHGetFolderPathW");
  for (const Kind& kind : kShellKinds) {
    if (!folderPath) break;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (SUCCEEDED(folderPath(nullptr, kind.csidl, nullptr, 0, buffer))) folders.push_back({buffer, kind.what});
  }
  std::erase_if(folders, [](const ProtectedFolder& folder) { return folder.path.empty(); });
  return folders;
}

}  // namespace vandrel
