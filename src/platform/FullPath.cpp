#include "platform/FullPath.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace vandrel {
namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// The names of a backslash-separated path, one by one.
std::vector<std::string> SplitNames(std::string_view rest) {
  std::vector<std::string> names;
  std::size_t start = 0;
  while (start <= rest.size()) {
    const std::size_t end = std::min(rest.find('\\', start), rest.size());
    std::string name(rest.substr(start, end - start));
    if (name != "..") {
      while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    }
    names.push_back(std::move(name));
    start = end + 1;
  }
  return names;
}

}  // namespace

std::optional<FullPath> ParseFullPath(std::string_view raw) {
  std::string path(raw);
  std::replace(path.begin(), path.end(), '/', '\\');
  std::string_view rest = path;
  bool share = false;
  if (StartsWithIgnoringAsciiCase(rest, "\\\\?\\UNC\\") || StartsWithIgnoringAsciiCase(rest, "\\\\.\\UNC\\")) {
    rest.remove_prefix(8);
    share = true;
  } else if (StartsWithIgnoringAsciiCase(rest, "\\\\?\\") || StartsWithIgnoringAsciiCase(rest, "\\\\.\\")) {
    rest.remove_prefix(4);
  } else if (StartsWithIgnoringAsciiCase(rest, "\\\\")) {
    rest.remove_prefix(2);
    share = true;
  }

  FullPath result;
  std::vector<std::string> names = SplitNames(rest);
  std::size_t first = 0;
  if (share) {
    // The server and the share must both be named. A server "?" is no
    // server: its plain form would read as the "\\?\" prefix.
    if (names.size() < 2 || names[0].empty() || names[0] == "?" || names[1].empty()) return std::nullopt;
    result.root = "\\\\" + names[0] + "\\" + names[1];
    first = 2;
  } else {
    const std::string& drive = names[0];
    const bool letter =
        drive.size() == 2 && drive[1] == ':' && UpperAscii(drive[0]) >= 'A' && UpperAscii(drive[0]) <= 'Z';
    // "C:" alone is the drive's current folder, not its root.
    if (!letter || names.size() < 2) return std::nullopt;
    result.root = {UpperAscii(drive[0]), ':'};
    first = 1;
  }
  for (std::size_t i = first; i < names.size(); ++i) {
    if (names[i].empty() || names[i] == ".") continue;
    if (names[i] == "..") {
      if (!result.names.empty()) result.names.pop_back();
      continue;
    }
    result.names.push_back(names[i]);
  }
  return result;
}

std::string PlainForm(const FullPath& path) {
  std::string text = path.root;
  for (const std::string& name : path.names) text += "\\" + name;
  if (path.names.empty() && path.root.size() == 2) text += "\\";
  return text;
}

std::string ExtendedLengthForm(const FullPath& path) {
  const std::string plain = PlainForm(path);
  if (StartsWithIgnoringAsciiCase(plain, "\\\\")) return "\\\\?\\UNC\\" + plain.substr(2);
  return "\\\\?\\" + plain;
}

bool IsRoot(const FullPath& path) { return path.names.empty(); }

bool IsSameOrBelow(const FullPath& path, const FullPath& ancestor) {
  if (!EqualIgnoringAsciiCase(path.root, ancestor.root) || path.names.size() < ancestor.names.size()) return false;
  return std::equal(ancestor.names.begin(), ancestor.names.end(), path.names.begin(), EqualIgnoringAsciiCase);
}

bool IsEntryOf(const FullPath& entry, const FullPath& folder, std::string_view name) {
  // Compared in place: a walk asks this of every entry, however deep.
  return entry.names.size() == folder.names.size() + 1 && IsSameOrBelow(entry, folder) &&
         EqualIgnoringAsciiCase(entry.names.back(), name);
}

std::optional<FullPath> ParseObjectName(std::string_view name,
                                        const std::function<std::string(char drive)>& deviceOfDrive) {
  constexpr std::string_view kDosDevices = "\\??\\";
  if (name.substr(0, kDosDevices.size()) == kDosDevices) return ParseFullPath(name.substr(kDosDevices.size()));
  // The device is the name's first two parts: "\Device\HarddiskVolume1".
  const std::size_t second = name.find('\\', 1);
  const std::size_t deviceEnd = second == std::string_view::npos ? second : name.find('\\', second + 1);
  if (name.substr(0, 1) != "\\" || deviceEnd == std::string_view::npos) return std::nullopt;
  for (char drive = 'A'; drive <= 'Z'; ++drive) {
    if (EqualIgnoringAsciiCase(deviceOfDrive(drive), name.substr(0, deviceEnd))) {
      return ParseFullPath(std::string{drive, ':'} + std::string(name.substr(deviceEnd)));
    }
  }
  return std::nullopt;
}

std::string PathUnder(std::string_view base, std::string_view relative) {
  if (!ParseFullPath(base)) return {};
  std::string path(base);
  if (path.back() != '\\' && path.back() != '/') path += '\\';
  while (!relative.empty() && (relative.front() == '\\' || relative.front() == '/')) relative.remove_prefix(1);
  return path + std::string(relative);
}

}  // namespace vandrel
