#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/PlatformError.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WidePath.h"

namespace vandrel {
namespace {

HKEY RootHandle(RootKey root) { return root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// The browser is a 32-bit program: machine-wide keys are read and written in
// its view of the registry. Per-user keys are not redirected. A 32-bit build
// sees that view already (WOW64 redirects it), and Windows 2000 refuses the
// flag, so only the 64-bit build asks for it.
constexpr REGSAM kBrowserView = sizeof(void*) == 8 ? KEY_WOW64_32KEY : 0;
REGSAM ViewFlag(RootKey root) { return root == RootKey::LocalMachine ? kBrowserView : 0; }

UniqueHkey OpenKey(RootKey root, const std::string& path, REGSAM access) {
  UniqueHkey key;
  if (RegOpenKeyExA(RootHandle(root), path.c_str(), 0, access | ViewFlag(root), key.put()) != ERROR_SUCCESS) {
    return {};
  }
  return key;
}

UniqueHkey CreateOrOpenKey(RootKey root, const std::string& path, REGSAM access) {
  UniqueHkey key;
  if (RegCreateKeyExA(RootHandle(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access | ViewFlag(root),
                      nullptr, key.put(), nullptr) != ERROR_SUCCESS) {
    return {};
  }
  return key;
}

LONG QueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size) {
  return RegQueryValueExA(key, name, nullptr, type, data, size);
}
LONG QueryValue(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size) {
  return RegQueryValueExW(key, name, nullptr, type, data, size);
}

// Reads the raw bytes of a value (named in ANSI or wide), asking for its
// size first; the loop covers a value that grows between the two calls.
template <typename Char>
std::optional<std::vector<BYTE>> QueryBytes(HKEY key, const Char* name, DWORD& type) {
  DWORD size = 0;
  if (QueryValue(key, name, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::vector<BYTE> data;
  for (;;) {
    data.resize(size + sizeof(wchar_t));  // room for a NUL the stored data may lack
    size = static_cast<DWORD>(data.size());
    const LONG status = QueryValue(key, name, &type, data.data(), &size);
    if (status == ERROR_SUCCESS) break;
    if (status != ERROR_MORE_DATA) return std::nullopt;
  }
  data.resize(size);
  return data;
}

// String data ends at its first NUL: stored strings may carry one, none, or
// several trailing NULs.
std::string TextOf(const std::vector<BYTE>& data) {
  const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
  return std::string(bytes.substr(0, bytes.find('\0')));
}

RegistryValue ValueOf(DWORD type, const std::vector<BYTE>& data) {
  RegistryValue value;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    value.kind = ValueKind::String;
    value.text = TextOf(data);
  } else if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
    value.kind = ValueKind::Dword;
    value.number =
        static_cast<std::uint32_t>(data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
  } else {
    value.kind = ValueKind::Other;
  }
  return value;
}

void SetValue(RootKey root, const std::string& path, const std::string& name, DWORD type, const BYTE* data,
              DWORD size) {
  const UniqueHkey key = CreateOrOpenKey(root, path, KEY_SET_VALUE);
  if (!key || RegSetValueExA(key.get(), name.c_str(), 0, type, data, size) != ERROR_SUCCESS) {
    throw PlatformError(FormatMessageText(kFailedToSetData, name));
  }
}

// "Software\\A\\B" -> {"Software\\A", "B"}; a key without a parent has "".
std::pair<std::string, std::string> SplitParent(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

bool Win32Registry::KeyExists(RootKey root, const std::string& path) {
  return static_cast<bool>(OpenKey(root, path, KEY_QUERY_VALUE));
}

bool Win32Registry::CreateKey(RootKey root, const std::string& path) {
  return static_cast<bool>(CreateOrOpenKey(root, path, KEY_QUERY_VALUE));
}

std::optional<RegistryValue> Win32Registry::ReadValue(RootKey root, const std::string& path, const std::string& name) {
  const UniqueHkey key = OpenKey(root, path, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  DWORD type = REG_NONE;
  const auto data = QueryBytes(key.get(), name.c_str(), type);
  if (!data) return std::nullopt;
  return ValueOf(type, *data);
}

std::optional<RegistryValue> Win32Registry::ReadValueOrThrow(RootKey root, const std::string& path,
                                                             const std::string& name) {
  const PlatformError cannotRead(FormatMessageText(kCannotReadValue, name));
  UniqueHkey key;
  const LONG opened = RegOpenKeyExA(RootHandle(root), path.c_str(), 0, KEY_QUERY_VALUE | ViewFlag(root), key.put());
  if (opened == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (opened != ERROR_SUCCESS) throw cannotRead;
  DWORD type = REG_NONE;
  if (const auto data = QueryBytes(key.get(), name.c_str(), type)) return ValueOf(type, *data);
  DWORD size = 0;
  if (QueryValue(key.get(), name.c_str(), &type, nullptr, &size) == ERROR_FILE_NOT_FOUND) return std::nullopt;
  throw cannotRead;
}

// Read wide and handed on in UTF-8: no name is lost to the ANSI code page.
std::optional<std::string> Win32Registry::ReadPath(RootKey root, const std::string& path, const std::string& name) {
  const UniqueHkey key = OpenKey(root, path, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  const std::wstring wideName = WideFromUtf8(name);
  DWORD type = REG_NONE;
  const auto data = QueryBytes(key.get(), wideName.c_str(), type);
  if (!data || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  const std::wstring_view text(reinterpret_cast<const wchar_t*>(data->data()), data->size() / sizeof(wchar_t));
  return Utf8FromWide(text.substr(0, text.find(L'\0')));
}

void Win32Registry::WriteString(RootKey root, const std::string& path, const std::string& name,
                                const std::string& data) {
  SetValue(root, path, name, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
}

void Win32Registry::WriteDword(RootKey root, const std::string& path, const std::string& name, std::uint32_t data) {
  const DWORD value = data;
  SetValue(root, path, name, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

bool Win32Registry::DeleteValue(RootKey root, const std::string& path, const std::string& name) {
  const UniqueHkey key = OpenKey(root, path, KEY_SET_VALUE);
  return key && RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
}

// The parent is opened in the right view and the tree deleted relative to it,
// which keeps the whole delete in that view. SHDeleteKeyA, unlike
// RegDeleteTreeA and RegDeleteKeyExA, exists on every system the program
// runs on; shlwapi is loaded at the first such delete.
bool Win32Registry::DeleteKeyTree(RootKey root, const std::string& path) {
  const auto [parentPath, leaf] = SplitParent(path);
  if (leaf.empty()) return false;
  // An empty parent path opens the root itself.
  const UniqueHkey parent = OpenKey(root, parentPath, KEY_ALL_ACCESS);
  if (!parent) return false;
  using DeleteKeyFunction = LSTATUS(WINAPI*)(HKEY, LPCSTR);
  const auto deleteKey = shlwapi_.Find<DeleteKeyFunction>("SHDeleteKeyA");
  return deleteKey && deleteKey(parent.get(), leaf.c_str()) == ERROR_SUCCESS;
}

}  // namespace vandrel
