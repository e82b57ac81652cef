#include "platform/win32/Win32Shell.h"

#include <shlobj.h>

#include "platform/FullPath.h"
#include "platform/win32/NotThereErrors.h"
#include "platform/win32/PathLinks.h"
#include "platform/win32/WidePath.h"

namespace vandrel {

namespace {

int FolderId(SpecialFolder kind) {
  switch (kind) {
    case SpecialFolder::Programs: return 0x02;       // CSIDL_PROGRAMS
    case SpecialFolder::AppData: return 0x1A;        // CSIDL_APPDATA
    case SpecialFolder::CommonFiles: return 0x2B;    // CSIDL_PROGRAM_FILES_COMMON
    case SpecialFolder::LocalAppData: return 0x1C;   // CSIDL_LOCAL_APPDATA
    case SpecialFolder::CommonAppData: return 0x23;  // CSIDL_COMMON_APPDATA
  }
  return -1;
}

constexpr DWORD kQuietEmpty = 0x7;  // SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND

}  // namespace

Win32Shell::Win32Shell(HWND owner) : owner_(owner) {}

// Every path the shell hands out is read wide and handed on in UTF-8, as
// the eraser's file layer takes it: no name is lost to the ANSI code page.
std::string Win32Shell::EnvironmentVariable(const std::string& name) {
  const std::wstring wideName = WideFromUtf8(name);
  std::wstring value(MAX_PATH, L'\0');
  DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
  if (length >= value.size()) {  // too long: the length asked for includes the terminator
    value.resize(length);
    length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) return {};
  }
  value.resize(length);
  return Utf8FromWide(value);
}

std::string Win32Shell::SpecialFolderPath(SpecialFolder kind) {
  using FolderPathFunction = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  const auto folderPath = shfolder_.Find<FolderPathFunction>("SHGetFolderPathW");
  if (!folderPath) return {};
  wchar_t buffer[MAX_PATH] = {};
  if (FAILED(folderPath(owner_, FolderId(kind), nullptr, 0, buffer))) return {};
  std::string path = Utf8FromWide(buffer);
  while (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

void Win32Shell::ClearRecentDocuments() {
  using AddToRecentFunction = void(WINAPI*)(UINT, LPCVOID);
  if (const auto add = shell32_.Find<AddToRecentFunction>("SHAddToRecentDocs")) add(SHARD_PATH, nullptr);
}

bool Win32Shell::EmptyRecycleBin() {
  using EmptyFunction = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);
  if (!shell32_.Load()) return false;
  if (const auto empty = shell32_.Find<EmptyFunction>("SHEmptyRecycleBinA")) empty(owner_, nullptr, kQuietEmpty);
  return true;
}

// Listed wide, in the extended-length form where the path is a full one, so
// that a folder past MAX_PATH is listed too.
std::optional<std::vector<std::string>> Win32Shell::Subfolders(const std::string& folder) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  const auto full = ParseFullPath(folder);
  const std::wstring pattern =
      (full ? WidePathOf(*full) : WideFromUtf8(folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder)) +
      L"\\*";
  WIN32_FIND_DATAW found{};
  const UniqueFind find(FindFirstFileW(pattern.c_str(), &found));
  if (!find) {
    if (IsNotThere(GetLastError())) return names;
    return std::nullopt;
  }
  do {
    const std::wstring_view name = found.cFileName;
    const bool folderEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    if (folderEntry && !link && name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
  } while (FindNextFileW(find.get(), &found));
  if (GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  return names;
}

}  // namespace vandrel
