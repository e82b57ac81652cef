#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vandrel::test {

// Direct registry access for arranging and checking tests, on plain API calls
// so that it does not depend on the adapters under test. A root of
// HKEY_LOCAL_MACHINE means its 32-bit view unless a view is given.
enum class View { Default, Wow32, Wow64 };

View DefaultViewOf(HKEY root);  // Wow32 for HKEY_LOCAL_MACHINE, Default otherwise

// Deletes the key with its subkeys and values; true when it is gone.
bool DeleteKeyTree(HKEY root, const std::string& path, View view);
inline bool DeleteKeyTree(HKEY root, const std::string& path) { return DeleteKeyTree(root, path, DefaultViewOf(root)); }

bool KeyExists(HKEY root, const std::string& path, View view);
// The names of the key's direct subkeys, in the registry's order; none when it is missing.
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path, View view);

// Writes raw data of any type, creating the key. False when refused.
bool WriteRaw(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size,
              View view);
bool WriteString(HKEY root, const std::string& path, const std::string& name, const std::string& text,
                 DWORD type = REG_SZ);
// A string of any letters, written wide.
bool WriteWideString(HKEY root, const std::string& path, const std::string& name, const std::wstring& text, DWORD type);
bool WriteDword(HKEY root, const std::string& path, const std::string& name, std::uint32_t number);
bool WriteBinary(HKEY root, const std::string& path, const std::string& name, const std::string& bytes);

// Deletes one value; true when it is gone (also when it was never there).
bool DeleteValue(HKEY root, const std::string& path, const std::string& name);

struct RawValue {
  DWORD type = REG_NONE;
  std::string bytes;
};
std::optional<RawValue> ReadRaw(HKEY root, const std::string& path, const std::string& name, View view);

// Creates the key and gives it a DACL that denies everyone everything, so
// that writes into it fail as they do for a user without rights.
bool DenyAllAccess(HKEY root, const std::string& path);
// Lifts the deny (the owner may still change the DACL) so it can be deleted.
bool AllowAllAccess(HKEY root, const std::string& path);

}  // namespace vandrel::test
