#pragma once
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace vandrel {

// An in-memory registry with Windows' case-insensitive key and value names.
// Tests can make a key refuse writes, as a key the user may not write does.
class MemoryRegistry : public Registry {
 public:
  bool KeyExists(RootKey root, const std::string& path) override;
  bool CreateKey(RootKey root, const std::string& path) override;
  std::optional<RegistryValue> ReadValue(RootKey root, const std::string& path, const std::string& name) override;
  std::optional<RegistryValue> ReadValueOrThrow(RootKey root, const std::string& path,
                                                const std::string& name) override;
  std::optional<std::string> ReadPath(RootKey root, const std::string& path, const std::string& name) override;
  void WriteString(RootKey root, const std::string& path, const std::string& name, const std::string& data) override;
  void WriteDword(RootKey root, const std::string& path, const std::string& name, std::uint32_t data) override;
  bool DeleteValue(RootKey root, const std::string& path, const std::string& name) override;
  bool DeleteKeyTree(RootKey root, const std::string& path) override;

  // Writes of values into this key (and key creation below it) fail from now on.
  void DenyWrites(RootKey root, const std::string& path);
  // Deleting this key, or values and keys below it, fails until allowed again.
  void DenyDeletes(RootKey root, const std::string& path);
  void AllowDeletes(RootKey root, const std::string& path);
  // The key is there but cannot be opened for reading (its security says no):
  // ReadValue finds nothing in it, ReadValueOrThrow throws.
  void DenyReads(RootKey root, const std::string& path);
  // Stores a value of a non-string, non-DWORD type (a binary value, say).
  void WriteOther(RootKey root, const std::string& path, const std::string& name);
  std::size_t ValueCount(RootKey root, const std::string& path);
  // The names of the key's direct subkeys, folded to lower case, sorted.
  std::vector<std::string> SubkeyNames(RootKey root, const std::string& path);

 private:
  using KeyId = std::pair<RootKey, std::string>;  // path folded to lower case
  struct Key {
    std::map<std::string, std::pair<std::string, RegistryValue>> values;  // folded name -> (name, value)
  };
  static KeyId Id(RootKey root, const std::string& path);
  static bool Covers(const std::set<KeyId>& denied, const KeyId& id);
  Key& Create(const KeyId& id);
  void Write(RootKey root, const std::string& path, const std::string& name, RegistryValue value);

  std::map<KeyId, Key> keys_;
  std::set<KeyId> denied_;
  std::set<KeyId> undeletable_;
  std::set<KeyId> unreadable_;
};

}  // namespace vandrel
