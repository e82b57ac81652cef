#include "RegistryReset.h"

#include <aclapi.h>
#include <shlwapi.h>

#include <vector>

#include "platform/win32/Handles.h"

namespace vandrel::test {
namespace {

REGSAM ViewFlag(View view) {
  switch (view) {
    case View::Wow32: return KEY_WOW64_32KEY;
    case View::Wow64: return KEY_WOW64_64KEY;
    case View::Default: break;
  }
  return 0;
}

UniqueHkey Open(HKEY root, const std::string& path, REGSAM access, View view) {
  UniqueHkey key;
  if (RegOpenKeyExA(root, path.c_str(), 0, access | ViewFlag(view), key.put()) != ERROR_SUCCESS) {
    return {};
  }
  return key;
}

UniqueHkey Create(HKEY root, const std::string& path, REGSAM access, View view) {
  UniqueHkey key;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, access | ViewFlag(view), nullptr, key.put(), nullptr) !=
      ERROR_SUCCESS) {
    return {};
  }
  return key;
}

// Sets the key's DACL: a NULL one (everyone may do everything) or one deny
// entry for everyone.
bool SetDacl(HKEY key, bool denyEveryone) {
  char everyone[] = "EVERYONE";
  EXPLICIT_ACCESS_A deny{};
  deny.grfAccessPermissions = KEY_ALL_ACCESS;
  deny.grfAccessMode = DENY_ACCESS;
  deny.grfInheritance = NO_INHERITANCE;
  deny.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
  deny.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  deny.Trustee.ptstrName = everyone;
  PACL acl = nullptr;
  if (denyEveryone && SetEntriesInAclA(1, &deny, nullptr, &acl) != ERROR_SUCCESS) return false;
  const DWORD status = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
  if (acl) LocalFree(acl);
  return status == ERROR_SUCCESS;
}

}  // namespace

View DefaultViewOf(HKEY root) { return root == HKEY_LOCAL_MACHINE ? View::Wow32 : View::Default; }

bool DeleteKeyTree(HKEY root, const std::string& path, View view) {
  const auto slash = path.find_last_of('\\');
  const std::string parentPath = slash == std::string::npos ? "" : path.substr(0, slash);
  const std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
  if (const UniqueHkey parent = Open(root, parentPath, KEY_ALL_ACCESS, view)) {
    SHDeleteKeyA(parent.get(), leaf.c_str());
  }
  return !KeyExists(root, path, view);
}

bool KeyExists(HKEY root, const std::string& path, View view) {
  return static_cast<bool>(Open(root, path, KEY_QUERY_VALUE, view));
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string& path, View view) {
  std::vector<std::string> names;
  const UniqueHkey key = Open(root, path, KEY_ENUMERATE_SUB_KEYS, view);
  if (!key) return names;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

bool WriteRaw(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data, DWORD size,
              View view) {
  const UniqueHkey key = Create(root, path, KEY_SET_VALUE, view);
  return key && RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool WriteString(HKEY root, const std::string& path, const std::string& name, const std::string& text, DWORD type) {
  return WriteRaw(root, path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1), DefaultViewOf(root));
}

bool WriteWideString(HKEY root, const std::string& path, const std::string& name, const std::wstring& text,
                     DWORD type) {
  const UniqueHkey key = Create(root, path, KEY_SET_VALUE, DefaultViewOf(root));
  const std::wstring wideName(name.begin(), name.end());  // ASCII names
  const auto size = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
  return key && RegSetValueExW(key.get(), wideName.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                               size) == ERROR_SUCCESS;
}

bool WriteDword(HKEY root, const std::string& path, const std::string& name, std::uint32_t number) {
  const DWORD value = number;
  return WriteRaw(root, path, name, REG_DWORD, &value, sizeof value, DefaultViewOf(root));
}

bool WriteBinary(HKEY root, const std::string& path, const std::string& name, const std::string& bytes) {
  return WriteRaw(root, path, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()), DefaultViewOf(root));
}

bool DeleteValue(HKEY root, const std::string& path, const std::string& name) {
  const UniqueHkey key = Open(root, path, KEY_SET_VALUE, DefaultViewOf(root));
  if (!key) return true;
  const LONG deleted = RegDeleteValueA(key.get(), name.c_str());
  return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

std::optional<RawValue> ReadRaw(HKEY root, const std::string& path, const std::string& name, View view) {
  const UniqueHkey key = Open(root, path, KEY_QUERY_VALUE, view);
  if (!key) return std::nullopt;
  RawValue value;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()),
                       &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  return value;
}

bool DenyAllAccess(HKEY root, const std::string& path) {
  const UniqueHkey key = Create(root, path, KEY_ALL_ACCESS, DefaultViewOf(root));
  return key && SetDacl(key.get(), true);
}

bool AllowAllAccess(HKEY root, const std::string& path) {
  const UniqueHkey key = Open(root, path, WRITE_DAC, DefaultViewOf(root));
  return key && SetDacl(key.get(), false);
}

}  // namespace vandrel::test
