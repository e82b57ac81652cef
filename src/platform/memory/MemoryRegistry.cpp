#include "platform/memory/MemoryRegistry.h"

#include <algorithm>
#include <cctype>

#include "platform/PlatformError.h"

namespace vandrel {
namespace {

std::string Fold(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

std::string Normalised(const std::string& path) {
  std::string folded = Fold(path);
  while (!folded.empty() && folded.front() == '\\') folded.erase(folded.begin());
  while (!folded.empty() && folded.back() == '\\') folded.pop_back();
  return folded;
}

bool IsBelowOrSame(const std::string& path, const std::string& top) {
  return path == top || (path.size() > top.size() && path.compare(0, top.size(), top) == 0 && path[top.size()] == '\\');
}

}  // namespace

MemoryRegistry::KeyId MemoryRegistry::Id(RootKey root, const std::string& path) { return {root, Normalised(path)}; }

bool MemoryRegistry::Covers(const std::set<KeyId>& denied, const KeyId& id) {
  return std::any_of(denied.begin(), denied.end(),
                     [&](const KeyId& d) { return d.first == id.first && IsBelowOrSame(id.second, d.second); });
}

MemoryRegistry::Key& MemoryRegistry::Create(const KeyId& id) {
  // Parents exist whenever a child does, as in the real registry.
  for (auto at = id.second.find('\\'); at != std::string::npos; at = id.second.find('\\', at + 1)) {
    keys_[{id.first, id.second.substr(0, at)}];
  }
  return keys_[id];
}

bool MemoryRegistry::KeyExists(RootKey root, const std::string& path) { return keys_.count(Id(root, path)) != 0; }

bool MemoryRegistry::CreateKey(RootKey root, const std::string& path) {
  const KeyId id = Id(root, path);
  if (keys_.count(id)) return true;
  if (Covers(denied_, id)) return false;
  Create(id);
  return true;
}

std::optional<RegistryValue> MemoryRegistry::ReadValue(RootKey root, const std::string& path, const std::string& name) {
  const auto key = keys_.find(Id(root, path));
  if (key == keys_.end() || Covers(unreadable_, key->first)) return std::nullopt;
  const auto value = key->second.values.find(Fold(name));
  if (value == key->second.values.end()) return std::nullopt;
  return value->second.second;
}

std::optional<RegistryValue> MemoryRegistry::ReadValueOrThrow(RootKey root, const std::string& path,
                                                              const std::string& name) {
  if (keys_.count(Id(root, path)) && Covers(unreadable_, Id(root, path))) {
    throw PlatformError(FormatMessageText(kCannotReadValue, name));
  }
  return ReadValue(root, path, name);
}

std::optional<std::string> MemoryRegistry::ReadPath(RootKey root, const std::string& path, const std::string& name) {
  const auto value = ReadValue(root, path, name);
  if (!value || value->kind != ValueKind::String) return std::nullopt;
  return value->text;
}

void MemoryRegistry::Write(RootKey root, const std::string& path, const std::string& name, RegistryValue value) {
  const KeyId id = Id(root, path);
  if (Covers(denied_, id)) throw PlatformError(FormatMessageText(kFailedToSetData, name));
  Create(id).values[Fold(name)] = {name, std::move(value)};
}

void MemoryRegistry::WriteString(RootKey root, const std::string& path, const std::string& name,
                                 const std::string& data) {
  Write(root, path, name, RegistryValue{ValueKind::String, data, 0});
}

void MemoryRegistry::WriteDword(RootKey root, const std::string& path, const std::string& name, std::uint32_t data) {
  Write(root, path, name, RegistryValue{ValueKind::Dword, {}, data});
}

void MemoryRegistry::WriteOther(RootKey root, const std::string& path, const std::string& name) {
  Write(root, path, name, RegistryValue{ValueKind::Other, {}, 0});
}

bool MemoryRegistry::DeleteValue(RootKey root, const std::string& path, const std::string& name) {
  const auto key = keys_.find(Id(root, path));
  if (key == keys_.end() || Covers(undeletable_, key->first)) return false;
  return key->second.values.erase(Fold(name)) != 0;
}

bool MemoryRegistry::DeleteKeyTree(RootKey root, const std::string& path) {
  const KeyId id = Id(root, path);
  if (!keys_.count(id) || Covers(undeletable_, id)) return false;
  std::erase_if(keys_, [&](const auto& entry) {
    return entry.first.first == root && IsBelowOrSame(entry.first.second, id.second);
  });
  return true;
}

void MemoryRegistry::DenyWrites(RootKey root, const std::string& path) { denied_.insert(Id(root, path)); }

void MemoryRegistry::DenyDeletes(RootKey root, const std::string& path) { undeletable_.insert(Id(root, path)); }

void MemoryRegistry::DenyReads(RootKey root, const std::string& path) { unreadable_.insert(Id(root, path)); }

void MemoryRegistry::AllowDeletes(RootKey root, const std::string& path) { undeletable_.erase(Id(root, path)); }

std::size_t MemoryRegistry::ValueCount(RootKey root, const std::string& path) {
  const auto key = keys_.find(Id(root, path));
  return key == keys_.end() ? 0 : key->second.values.size();
}

std::vector<std::string> MemoryRegistry::SubkeyNames(RootKey root, const std::string& path) {
  const std::string parent = Id(root, path).second + "\\";
  std::vector<std::string> names;
  for (const auto& [id, key] : keys_) {
    if (id.first != root || id.second.compare(0, parent.size(), parent) != 0) continue;
    const std::string rest = id.second.substr(parent.size());
    if (rest.find('\\') == std::string::npos) names.push_back(rest);
  }
  return names;
}

}  // namespace vandrel
