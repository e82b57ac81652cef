#include "FolderSnapshot.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

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

// FNV-1a over the bytes, 64 bits.
struct Fnv {
  std::uint64_t hash = 1469598103934665603ULL;
  void Add(const char* bytes, std::size_t size) {
    for (std::size_t at = 0; at < size; ++at) hash = (hash ^ static_cast<unsigned char>(bytes[at])) * 1099511628211ULL;
  }
};

// A registry file's lines without "#time=" lines and the time after a key's "]".
std::string WithoutKeyTimes(const std::string& text) {
  std::string kept;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (line.rfind("#time=", 0) == 0) continue;
    if (!line.empty() && line[0] == '[') line = line.substr(0, line.rfind(']') + 1);
    kept += line + '\n';
  }
  return kept;
}

std::string Digest(const std::string& path, const std::string& name) {
  if (name.size() > 4 && name.compare(name.size() - 4, 4, ".reg") == 0) {
    const std::string text = WithoutKeyTimes(Bytes(path));
    Fnv fnv;
    fnv.Add(text.data(), text.size());
    return "registry " + std::to_string(fnv.hash);
  }
  const UniqueFileHandle file(CreateFileW(Long(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  if (!file) return "<unreadable>";
  Fnv fnv;
  std::uint64_t size = 0;
  static char chunk[1 << 20];
  DWORD read = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
    fnv.Add(chunk, read);
    size += read;
  }
  return std::to_string(size) + " bytes, " + std::to_string(fnv.hash);
}

// Adds every entry below folder but those named in leftOut, a file with
// what `valueOf` says of it; a link is entered only with enterLinks.
void Add(const std::string& folder, const std::vector<std::string>& leftOut, bool enterLinks,
         std::string (*valueOf)(const std::string& path, const std::string& name),
         std::map<std::string, std::string>& entries) {
  WIN32_FIND_DATAW found;
  const UniqueFind search(FindFirstFileW((Long(folder) + L"\\*").c_str(), &found));
  if (!search) return;
  do {
    const std::wstring wide = found.cFileName;
    const std::string name(wide.begin(), wide.end());
    const std::string path = folder + "\\" + name;
    if (name == "." || name == ".." || std::find(leftOut.begin(), leftOut.end(), name) != leftOut.end()) continue;
    if (!enterLinks && (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      entries[path] = "<link>";
    } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries[path + "\\"] = "";
      Add(path, {}, enterLinks, valueOf, entries);
    } else {
      entries[path] = valueOf(path, name);
    }
  } while (FindNextFileW(search.get(), &found));
}

}  // namespace

std::map<std::string, std::string> DigestFolder(const std::string& folder, const std::vector<std::string>& leftOut) {
  std::map<std::string, std::string> entries;
  Add(folder, leftOut, false, Digest, entries);
  return entries;
}

std::map<std::string, std::string> SnapshotFolder(const std::string& folder) {
  std::map<std::string, std::string> entries;
  Add(
      folder, {}, true, [](const std::string& path, const std::string&) { return Bytes(path); }, entries);
  return entries;
}

}  // namespace vandrel::test
