#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vandrel {

enum class RootKey { CurrentUser, LocalMachine };

enum class ValueKind { String, Dword, Other };

struct RegistryValue {
  ValueKind kind = ValueKind::String;
  std::string text;          // the data of a String value
  std::uint32_t number = 0;  // the data of a Dword value
};

inline constexpr const char* kFailedToSetData = "Failed to set data for '%s'";
inline constexpr const char* kInvalidDataType = "Invalid data type for '%s'";
inline constexpr const char* kCannotReadValue = "Cannot read '%s'";

// The registry as the program uses it: short open-use-close sequences on
// keys given by their path below a root. Keys of HKEY_LOCAL_MACHINE live in
// the view that the 32-bit browser reads. Writes that the registry refuses
// throw PlatformError with "Failed to set data for '<value>'".
class Registry {
 public:
  virtual ~Registry() = default;

  virtual bool KeyExists(RootKey root, const std::string& path) = 0;
  // Opens the key, creating it and its parents when missing; false when that fails.
  virtual bool CreateKey(RootKey root, const std::string& path) = 0;
  // The value, or nothing when the key or the value is missing.
  virtual std::optional<RegistryValue> ReadValue(RootKey root, const std::string& path, const std::string& name) = 0;
  // The same, for a reader that must not take a key it could not read for
  // a missing one: nothing only when the key or the value is not there;
  // throws PlatformError "Cannot read '<value>'" when the key is there but
  // cannot be opened, or the value cannot be read.
  virtual std::optional<RegistryValue> ReadValueOrThrow(RootKey root, const std::string& path,
                                                        const std::string& name) = 0;
  // A String value that names a folder or file, in UTF-8 as the eraser's
  // file layer takes paths (ReadValue's text is the program's ANSI text,
  // which cannot hold every name); nothing when missing or not a String.
  virtual std::optional<std::string> ReadPath(RootKey root, const std::string& path, const std::string& name) = 0;
  // Both create the key when missing.
  virtual void WriteString(RootKey root, const std::string& path, const std::string& name, const std::string& data) = 0;
  virtual void WriteDword(RootKey root, const std::string& path, const std::string& name, std::uint32_t data) = 0;
  // False when the key or value was not there (which callers treat as done).
  virtual bool DeleteValue(RootKey root, const std::string& path, const std::string& name) = 0;
  // Deletes the key with all its subkeys; false when it was not there.
  virtual bool DeleteKeyTree(RootKey root, const std::string& path) = 0;
};

}  // namespace vandrel
