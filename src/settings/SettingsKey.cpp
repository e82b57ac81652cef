#include "settings/SettingsKey.h"

#include <charconv>

#include "platform/PlatformError.h"

namespace vandrel {

SettingsKey::SettingsKey(Registry& registry) : registry_(registry) {
  // Opening the maker's key for the view creates it; the section is only
  // created by a write.
  registry_.CreateKey(RootKey::CurrentUser, kMakerKeyPath);
}

std::optional<std::string> SettingsKey::ReadText(const std::string& name) {
  auto value = registry_.ReadValue(RootKey::CurrentUser, kSettingsKeyPath, name);
  if (!value) return std::nullopt;
  if (value->kind != ValueKind::String) {
    throw PlatformError(FormatMessageText(kInvalidDataType, name));
  }
  return std::move(value->text);
}

std::string SettingsKey::ReadString(const std::string& name, const std::string& fallback) {
  auto text = ReadText(name);
  return text ? *text : fallback;
}

int SettingsKey::ReadInteger(const std::string& name, int fallback) {
  const auto text = ReadText(name);
  if (!text) return fallback;
  return ParseInteger(*text).value_or(fallback);
}

bool SettingsKey::ReadBool(const std::string& name, bool fallback) { return ReadInteger(name, fallback ? 1 : 0) != 0; }

void SettingsKey::WriteString(const std::string& name, const std::string& data) {
  registry_.WriteString(RootKey::CurrentUser, kSettingsKeyPath, name, data);
}

void SettingsKey::WriteInteger(const std::string& name, int data) { WriteString(name, std::to_string(data)); }

void SettingsKey::WriteBool(const std::string& name, bool data) { WriteString(name, data ? "1" : "0"); }

std::optional<int> ParseInteger(const std::string& text) {
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string::npos) return std::nullopt;
  if (text[at] == '+' && text.compare(at, 2, "+-") != 0) ++at;
  int result = 0;
  const char* first = text.data() + at;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(first, last, result);
  if (error != std::errc() || end != last || end == first) return std::nullopt;
  return result;
}

}  // namespace vandrel
