#pragma once
#include <optional>
#include <string>

#include "platform/Registry.h"

namespace vandrel {

inline constexpr const char* kMakerKeyPath = "Software\\Korvane";
inline constexpr const char* kSettingsSection = "Vandrel";
inline constexpr const char* kSettingsKeyPath = "Software\\Korvane\\Vandrel";

// The ini-style view of the settings key: the maker's key is the "file"
// (opened, and created when missing, by the constructor), the program's
// subkey is the section that holds the values. Every value is a string;
// booleans are "1"/"0" and integers decimal text.
class SettingsKey {
 public:
  explicit SettingsKey(Registry& registry);

  // The value's text; nothing when the subkey or the value is missing.
  // A value of a non-string type throws "Invalid data type for '<name>'".
  std::optional<std::string> ReadText(const std::string& name);
  std::string ReadString(const std::string& name, const std::string& fallback);
  int ReadInteger(const std::string& name, int fallback);
  bool ReadBool(const std::string& name, bool fallback);

  // Each creates the subkey when missing; a refused write throws
  // "Failed to set data for '<name>'".
  void WriteString(const std::string& name, const std::string& data);
  void WriteInteger(const std::string& name, int data);
  void WriteBool(const std::string& name, bool data);

 private:
  Registry& registry_;
};

// Decimal text as the settings store reads it: optional blanks, an optional
// sign and digits that fit 32 bits; anything else does not parse.
std::optional<int> ParseInteger(const std::string& text);

}  // namespace vandrel
