#pragma once
#include "platform/Registry.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {

// The registry through advapi32. Every call opens the key, uses it and
// closes it again. Keys below HKEY_LOCAL_MACHINE are opened in the 32-bit
// view, the one the 32-bit browser reads, also from a 64-bit build.
class Win32Registry : public Registry {
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

 private:
  LateLibrary shlwapi_{"shlwapi.dll"};
};

}  // namespace vandrel
