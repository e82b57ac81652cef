#include "platform/memory/MemoryShell.h"

#include "platform/FullPath.h"

namespace vandrel {

namespace {
std::string Plain(const std::string& path) {
  const auto full = ParseFullPath(path);
  return full ? PlainForm(*full) : std::string{};
}
}  // namespace

std::string MemoryShell::EnvironmentVariable(const std::string& name) {
  const auto found = environment.find(name);
  return found == environment.end() ? std::string{} : found->second;
}

std::string MemoryShell::SpecialFolderPath(SpecialFolder kind) {
  const auto found = specialFolders.find(kind);
  return found == specialFolders.end() ? std::string{} : found->second;
}

bool MemoryShell::EmptyRecycleBin() {
  if (!shellLibraryLoads) return false;
  ++recycleBinsEmptied;
  return true;
}

std::optional<std::vector<std::string>> MemoryShell::Subfolders(const std::string& folder) {
  if (unlistable.count(Plain(folder))) return std::nullopt;
  const std::string prefix = Plain(folder) + "\\";
  std::vector<std::string> names;
  for (const auto& [path, entry] : files_.entries) {
    if (entry.kind != MemoryTraceFiles::Kind::Folder || path.rfind(prefix, 0) != 0) continue;
    const std::string name = path.substr(prefix.size());
    if (!name.empty() && name.find('\\') == std::string::npos) names.push_back(name);
  }
  return names;
}

}  // namespace vandrel
