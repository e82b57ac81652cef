// The folders no whole-folder erase may touch, nor any folder above them,
// and the users' own files, with every folder inside them.
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

// A string value of the key at path, its variables expanded.
std::wstring StringValue(HKEY root, const wchar_t* path, const wchar_t* name) {
  UniqueHkey key;
  if (RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return {};
  wchar_t buffer[MAX_PATH + 1] = {};
  DWORD type = 0, size = sizeof buffer - sizeof(wchar_t);
  if (RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return {};
  }
  if (type == REG_SZ) return buffer;
  return TextOf([&](wchar_t* b, UINT n) { return ExpandEnvironmentStringsW(buffer, b, n) - 1; });
}

// A string value of the shell's folder key, where tweak tools and older
// programs set a user's folders without the shell.
std::wstring ShellFoldersValue(HKEY root, const wchar_t* name) {
  return StringValue(root, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", name);
}

struct Named {
  const wchar_t* name;
  const char* what;
  bool withInside = false;
};

// The environment's folders.
constexpr Named kVariables[] = {
    {L"SystemRoot", "the Windows folder"},
    {L"windir", "the Windows folder"},
    {L"ProgramFiles", "Program Files"},
    {L"ProgramFiles(x86)", "Program Files"},
    {L"ProgramW6432", "Program Files"},
    {L"CommonProgramFiles", "the programs' common files"},
    {L"USERPROFILE", "the user's profile"},
    {L"ALLUSERSPROFILE", "the profile of all users"},
    // The cloud folder, where its client sets it.
    {L"OneDrive", "the cloud folder", true},
    {L"OneDriveConsumer", "the cloud folder", true},
    {L"OneDriveCommercial", "the cloud folder", true},
};

// The user's own files and the programs' data: redirected or moved, a
// browser folder may be set onto them (or below them, which is no harm).
constexpr Named kUserShellFolders[] = {
    {L"Personal", "the documents", true},
    {L"Desktop", "the desktop", true},
    {L"My Pictures", "the pictures", true},
    {L"My Music", "the music", true},
    {L"My Video", "the videos", true},
    {L"{374DE290-123F-4565-9164-39C4925E467B}", "the downloads", true},
    {L"{4C5C32FF-BB9D-43B0-B5B4-2D72E54EAAA4}", "the saved games", true},
    {L"{BFB9D5E0-C6A9-404C-B2B2-AE6DB6AF4968}", "the links", true},
    {L"AppData", "the application data"},
    {L"Local AppData", "the local application data"},
};
constexpr Named kCommonShellFolders[] = {
    {L"Common Documents", "the shared documents", true}, {L"Common Desktop", "the shared desktop", true},
    {L"CommonPictures", "the shared pictures", true},    {L"CommonMusic", "the shared music", true},
    {L"CommonVideo", "the shared videos", true},         {L"Common AppData", "the shared application data"},
};

// Where a profile keeps its user's own files, in the names XP and later
// Windows give them, and what they are for this user and for another.
struct ProfileName {
  const wchar_t* name;
  const char* own;
  const char* others;
};
constexpr ProfileName kProfileNames[] = {
    {L"Documents", "the documents", "a user's documents"},
    {L"My Documents", "the documents", "a user's documents"},
    {L"Desktop", "the desktop", "a user's desktop"},
    {L"Pictures", "the pictures", "a user's pictures"},
    {L"Music", "the music", "a user's music"},
    {L"Videos", "the videos", "a user's videos"},
    // XP has no downloads folder of its own: this is where browsers put them.
    {L"Downloads", "the downloads", "a user's downloads"},
    {L"Saved Games", "the saved games", "a user's saved games"},
    {L"Links", "the links", "a user's links"},
};

struct Kind {
  int csidl;
  const char* what;
  bool withInside = false;
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
    {0x05, "the documents", true},          // CSIDL_PERSONAL
    {0x10, "the desktop", true},            // CSIDL_DESKTOPDIRECTORY
    {0x27, "the pictures", true},           // CSIDL_MYPICTURES
    {0x0d, "the music", true},              // CSIDL_MYMUSIC
    {0x0e, "the videos", true},             // CSIDL_MYVIDEO
    {0x1a, "the application data"},         // CSIDL_APPDATA
    {0x1c, "the local application data"},   // CSIDL_LOCAL_APPDATA
    {0x2e, "the shared documents", true},   // CSIDL_COMMON_DOCUMENTS
    {0x19, "the shared desktop", true},     // CSIDL_COMMON_DESKTOPDIRECTORY
    {0x36, "the shared pictures", true},    // CSIDL_COMMON_PICTURES
    {0x35, "the shared music", true},       // CSIDL_COMMON_MUSIC
    {0x37, "the shared videos", true},      // CSIDL_COMMON_VIDEO
    {0x23, "the shared application data"},  // CSIDL_COMMON_APPDATA
};

// The known folders that have no CSIDL; Vista and later know them.
struct KnownKind {
  GUID id;
  const char* what;
};
constexpr KnownKind kKnownKinds[] = {
    {{0x374de290, 0x123f, 0x4565, {0x91, 0x64, 0x39, 0xc4, 0x92, 0x5e, 0x46, 0x7b}}, "the downloads"},
    {{0x4c5c32ff, 0xbb9d, 0x43b0, {0xb5, 0xb4, 0x2d, 0x72, 0xe5, 0x4e, 0xaa, 0xa4}}, "the saved games"},
    {{0xbfb9d5e0, 0xc6a9, 0x404c, {0xb2, 0xb2, 0xae, 0x6d, 0xb6, 0xaf, 0x49, 0x68}}, "the links"},
    {{0xa52bba46, 0xe9e1, 0x435f, {0xb3, 0xd9, 0x28, 0xda, 0xa6, 0x48, 0xc0, 0xf6}}, "the cloud folder"},
    {{0x3d644c9b, 0x1fb8, 0x4f30, {0x9b, 0x45, 0xf6, 0x70, 0x23, 0x5f, 0x79, 0xc0}}, "the shared downloads"},
};

constexpr wchar_t kProfileList[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

bool SameName(const std::wstring& one, const std::wstring& other) {
  return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, one.c_str(), -1, other.c_str(), -1) == CSTR_EQUAL;
}

void AddOnce(std::vector<std::wstring>& profiles, const std::wstring& profile) {
  if (profile.empty()) return;
  for (const std::wstring& known : profiles) {
    if (SameName(known, profile)) return;
  }
  profiles.push_back(profile);
}

// The plain folders in folder (links left out: what they lead to is a
// profile of its own, or no profile).
void AddSubfolders(std::vector<std::wstring>& profiles, const std::wstring& folder) {
  if (folder.empty()) return;
  WIN32_FIND_DATAW found;
  const UniqueFind search(FindFirstFileW((folder + L"\\*").c_str(), &found));
  if (!search) return;
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L".." || !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      continue;
    }
    AddOnce(profiles, folder + L"\\" + found.cFileName);
  } while (FindNextFileW(search.get(), &found));
}

// Every profile of the machine, this user's first: the registry's list of
// them, and every folder where profiles are kept (the list's folder, and
// the one that holds this user's).
std::vector<std::wstring> Profiles(const std::wstring& own) {
  std::vector<std::wstring> profiles;
  AddOnce(profiles, own);
  UniqueHkey list;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProfileList, 0, KEY_ENUMERATE_SUB_KEYS, list.put()) == ERROR_SUCCESS) {
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
      DWORD length = ARRAYSIZE(name);
      if (RegEnumKeyExW(list.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      AddOnce(profiles, StringValue(HKEY_LOCAL_MACHINE, (std::wstring(kProfileList) + L"\\" + name).c_str(),
                                    L"ProfileImagePath"));
    }
  }
  AddSubfolders(profiles, StringValue(HKEY_LOCAL_MACHINE, kProfileList, L"ProfilesDirectory"));
  const std::size_t slash = own.find_last_of(L'\\');
  if (slash != std::wstring::npos) AddSubfolders(profiles, own.substr(0, slash));
  return profiles;
}

}  // namespace

std::vector<ProtectedFolder> ReadProtectedFolders() {
  std::vector<ProtectedFolder> folders{
      {TextOf([](wchar_t* b, UINT n) { return GetWindowsDirectoryW(b, n); }), "the Windows folder"},
      {TextOf([](wchar_t* b, UINT n) { return GetSystemDirectoryW(b, n); }), "the system folder"},
      {TextOf([](wchar_t* b, UINT n) { return GetSystemWindowsDirectoryW(b, n); }), "the Windows folder"},
  };
  for (const Named& variable : kVariables) {
    folders.push_back({TextOf([&](wchar_t* b, UINT n) { return GetEnvironmentVariableW(variable.name, b, n); }),
                       variable.what, variable.withInside});
  }
  for (const Named& value : kUserShellFolders) {
    folders.push_back({ShellFoldersValue(HKEY_CURRENT_USER, value.name), value.what, value.withInside});
  }
  for (const Named& value : kCommonShellFolders) {
    folders.push_back({ShellFoldersValue(HKEY_LOCAL_MACHINE, value.name), value.what, value.withInside});
  }
  folders.push_back(
      {StringValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\OneDrive", L"UserFolder"), "the cloud folder", true});
  const std::wstring ownProfile =
      TextOf([](wchar_t* b, UINT n) { return GetEnvironmentVariableW(L"USERPROFILE", b, n); });
  for (const std::wstring& profile : Profiles(ownProfile)) {
    for (const ProfileName& name : kProfileNames) {
      folders.push_back({profile + L"\\" + name.name, profile == ownProfile ? name.own : name.others, true});
    }
  }
  // The shell knows them best; its folder query is looked up, as shell32
  // is not otherwise loaded.
  using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  const UniqueModule shell(LoadSystemLibrary("shell32.dll"));
  const auto folderPath = LookupFunction<FolderPathFunction>(shell.get(), "SHGetFolderPathW");
  for (const Kind& kind : kShellKinds) {
    if (!folderPath) break;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (SUCCEEDED(folderPath(nullptr, kind.csidl, nullptr, 0, buffer))) {
      folders.push_back({buffer, kind.what, kind.withInside});
    }
  }
  // The known folders' query is Vista's: XP has none of them (its
  // downloads are the profile's, above).
  using KnownPathFunction = HRESULT(WINAPI*)(const GUID*, DWORD, HANDLE, LPWSTR, UINT);
  const auto knownPath = LookupFunction<KnownPathFunction>(shell.get(), "SHGetFolderPathEx");
  for (const KnownKind& kind : kKnownKinds) {
    if (!knownPath) break;
    wchar_t buffer[MAX_PATH + 1] = {};
    if (SUCCEEDED(knownPath(&kind.id, 0, nullptr, buffer, MAX_PATH + 1))) folders.push_back({buffer, kind.what, true});
  }
  std::erase_if(folders, [](const ProtectedFolder& folder) { return folder.path.empty(); });
  return folders;
}

}  // namespace vandrel
