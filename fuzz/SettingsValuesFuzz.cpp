// The settings as read from the registry, where anything may have been
// stored: values of the wrong type and odd texts. The key's ini-style view
// gives each text as stored, and numbers and flags by ParseInteger. The load
// keeps a default for each value it cannot use and reports only a wrong
// type; whatever it read is stored and read back unchanged. The integer
// parser agrees with a plain reading of its rule.
//
// Input: its first byte separates records; each record is a type byte, a
// name byte (one of the settings' names) and the value's text.
#include <array>
#include <climits>

#include "FuzzCheck.h"
#include "platform/PlatformError.h"
#include "platform/memory/MemoryRegistry.h"
#include "settings/SettingsKey.h"
#include "settings/SettingsStore.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

constexpr std::array<const char*, 27> kNames{
    "DeleteConfirm", "ExitConfirm", "LimitEnabled", "LimitWindows", "TimerInterval",    "LimitClose",
    "Cache",         "All",         "LocationBar",  "Recent",       "TempFolder",       "Recycled Bin",
    "Cookies",       "Bookmarks",   "History",      "MPlayer",      "RealOne",          "ExitOnClose",
    "AutoStart",     "AutoSuggest", "SetHomePage",  "HomePageIE",   "StartWithWindows", "StartMinimized",
    "SoundEnabled",  "SoundFile",   "BanSelected"};

// Blanks, an optional sign, decimal digits, the value within 32 bits.
std::optional<int> PlainInteger(std::string_view text) {
  std::size_t at = text.find_first_not_of(' ');
  if (at == std::string_view::npos) return std::nullopt;
  bool negative = false;
  if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';
  if (at == text.size()) return std::nullopt;
  long long value = 0;
  for (; at < text.size(); ++at) {
    if (text[at] < '0' || text[at] > '9') return std::nullopt;
    value = value * 10 + (text[at] - '0');
    if (value > 1LL << 32) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input = fuzz::AsText(data, size);
  MemoryRegistry registry;
  bool wrongType = false;
  for (const std::string& record : fuzz::SplitAt(input.substr(1), input[0])) {
    if (record.size() < 2) continue;
    const std::string name = kNames[static_cast<unsigned char>(record[1]) % kNames.size()];
    const std::string text = record.substr(2);
    switch (static_cast<unsigned char>(record[0]) % 3) {
      case 0: registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, name, text); break;
      case 1: registry.WriteDword(RootKey::CurrentUser, kSettingsKeyPath, name, text.size()); break;
      default: registry.WriteOther(RootKey::CurrentUser, kSettingsKeyPath, name); break;
    }
    Require(PlainInteger(text) == ParseInteger(text), "ParseInteger reads blanks, a sign and 32-bit digits");
  }
  // The ini-style view of each value, as the load and the dialogs use it.
  SettingsKey key(registry);
  for (const char* name : kNames) {
    const auto value = registry.ReadValue(RootKey::CurrentUser, kSettingsKeyPath, name);
    if (value && value->kind != ValueKind::String) {
      wrongType = true;
      bool thrown = false;
      try {
        key.ReadText(name);
      } catch (const PlatformError&) {
        thrown = true;
      }
      Require(thrown, "a value of another type is no text");
    } else {
      const std::optional<int> number = value ? ParseInteger(value->text) : std::nullopt;
      Require(key.ReadString(name, "fallback") == (value ? value->text : "fallback"), "a text as stored");
      Require(key.ReadInteger(name, 7) == number.value_or(7), "a number, or the fallback");
      Require(key.ReadBool(name, true) == (number.value_or(1) != 0), "a flag, or the fallback");
    }
  }

  Settings record;
  bool reported = false;
  try {
    LoadSettings(registry, record);
  } catch (const PlatformError& error) {
    reported = std::string_view(error.what()).starts_with("Invalid data type for '");
  }
  Require(reported == wrongType, "a wrong type, and only that, is reported");

  MemoryRegistry copy;
  StoreSettings(copy, record);
  Settings reread;
  LoadSettings(copy, reread);
  if (!record.SoundEnabled) reread.SoundFile = record.SoundFile;  // not stored while the sound is off
  Require(reread == record, "what was read is stored and read back unchanged");
  return 0;
}
