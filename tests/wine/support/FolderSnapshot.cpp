#include "FolderSnapshot.h"

#include <windows.h>

#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

std::wstring Long(const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); }

std::string Bytes(const std::string& path) {
  const UniqueFileHandle file(CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  if (!file) return "<unreadable>";
  std::string bytes;
  char chunk[1 << 16];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  return bytes;
}

void Add(const std::string& folder, std::map<std::string, std::string>& entries) {
  WIN32_FIND_DATAW found;
  const UniqueFind search(FindFirstFileW((Long(folder) + L"\\*").c_str(), &found));
  if (!search) return;
  do {
    const std::wstring wide = found.cFileName;
    const std::string name(wide.begin(), wide.end());
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries[folder + "\\" + name + "\\"] = "";
      Add(folder + "\\" + name, entries);
    } else {
      entries[folder + "\\" + name] = Bytes(folder + "\\" + name);
    }
  } while (FindNextFileW(search.get(), &found));
}

}  // namespace

std::map<std::string, std::string> SnapshotFolder(const std::string& folder) {
  std::map<std::string, std::string> entries;
  Add(folder, entries);
  return entries;
}

}  // namespace vandrel::test
