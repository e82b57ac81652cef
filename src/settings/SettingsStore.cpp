#include "settings/SettingsStore.h"

#include <array>
#include <optional>
#include <type_traits>
#include <variant>

#include "platform/PlatformError.h"
#include "settings/SettingsKey.h"

namespace vandrel {
namespace {

struct Field {
  const char* name;
  std::variant<bool Settings::*, int Settings::*, std::string Settings::*> member;
};

// The settings table, in the order the load reads it.
constexpr std::array<Field, 29> kLoadOrder{{
    {"DeleteConfirm", &Settings::DeleteConfirm},
    {"ExitConfirm", &Settings::ExitConfirm},
    {"LimitEnabled", &Settings::LimitEnabled},
    {"LimitWindows", &Settings::LimitWindows},
    {"TimerInterval", &Settings::TimerInterval},
    {"LimitClose", &Settings::LimitClose},
    {"LetClickedThrough", &Settings::LetClickedThrough},
    {"Cache", &Settings::Cache},
    {"All", &Settings::All},
    {"LocationBar", &Settings::LocationBar},
    {"Recent", &Settings::Recent},
    {"TempFolder", &Settings::TempFolder},
    {"Recycled Bin", &Settings::RecycledBin},
    {"Cookies", &Settings::Cookies},
    {"Bookmarks", &Settings::Bookmarks},
    {"History", &Settings::History},
    {"MPlayer", &Settings::MPlayer},
    {"RealOne", &Settings::RealOne},
    {"ExitOnClose", &Settings::ExitOnClose},
    {"AutoStart", &Settings::AutoStart},
    {"AutoSuggest", &Settings::AutoSuggest},
    {"SetHomePage", &Settings::SetHomePage},
    {"HomePageIE", &Settings::HomePageIE},
    {"StartWithWindows", &Settings::StartWithWindows},
    {"StartMinimized", &Settings::StartMinimized},
    {"SoundEnabled", &Settings::SoundEnabled},
    {"SoundFile", &Settings::SoundFile},
    {"BanSelected", &Settings::BanSelected},
    {"NoticeEnabled", &Settings::NoticeEnabled},
}};

// The order the store writes them; SoundFile follows, when the sound is on.
constexpr std::array<Field, 27> kStoreOrder{{
    {"DeleteConfirm", &Settings::DeleteConfirm},
    {"ExitConfirm", &Settings::ExitConfirm},
    {"LimitEnabled", &Settings::LimitEnabled},
    {"LimitWindows", &Settings::LimitWindows},
    {"TimerInterval", &Settings::TimerInterval},
    {"LimitClose", &Settings::LimitClose},
    {"LetClickedThrough", &Settings::LetClickedThrough},
    {"AutoSuggest", &Settings::AutoSuggest},
    {"ExitOnClose", &Settings::ExitOnClose},
    {"AutoStart", &Settings::AutoStart},
    {"Cache", &Settings::Cache},
    {"Cookies", &Settings::Cookies},
    {"All", &Settings::All},
    {"LocationBar", &Settings::LocationBar},
    {"Recent", &Settings::Recent},
    {"TempFolder", &Settings::TempFolder},
    {"Recycled Bin", &Settings::RecycledBin},
    {"Bookmarks", &Settings::Bookmarks},
    {"History", &Settings::History},
    {"MPlayer", &Settings::MPlayer},
    {"RealOne", &Settings::RealOne},
    {"SetHomePage", &Settings::SetHomePage},
    {"HomePageIE", &Settings::HomePageIE},
    {"StartWithWindows", &Settings::StartWithWindows},
    {"StartMinimized", &Settings::StartMinimized},
    {"BanSelected", &Settings::BanSelected},
    {"SoundEnabled", &Settings::SoundEnabled},
}};

void Read(SettingsKey& key, const Field& field, Settings& record) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(record.*member)>;
        const T fallback = Settings{}.*member;
        if constexpr (std::is_same_v<T, bool>) {
          record.*member = key.ReadBool(field.name, fallback);
        } else if constexpr (std::is_same_v<T, int>) {
          record.*member = key.ReadInteger(field.name, fallback);
        } else {
          record.*member = key.ReadString(field.name, fallback);
        }
      },
      field.member);
}

void Write(SettingsKey& key, const Field& field, const Settings& values) {
  std::visit(
      [&](auto member) {
        using T = std::remove_cvref_t<decltype(values.*member)>;
        if constexpr (std::is_same_v<T, bool>) {
          key.WriteBool(field.name, values.*member);
        } else if constexpr (std::is_same_v<T, int>) {
          key.WriteInteger(field.name, values.*member);
        } else {
          key.WriteString(field.name, values.*member);
        }
      },
      field.member);
}

}  // namespace

std::string SettingValueName(bool Settings::*setting) {
  for (const Field& field : kLoadOrder) {
    const auto* member = std::get_if<bool Settings::*>(&field.member);
    if (member && *member == setting) return field.name;
  }
  return {};
}

void LoadSettings(Registry& registry, Settings& record) {
  SettingsKey key(registry);
  record = Settings{};
  // A damaged value keeps its default but does not stop the load: the
  // values after it must not fall back to defaults that a later store would
  // then write over what the user stored. The first one is reported.
  std::optional<PlatformError> firstWrongType;
  for (const Field& field : kLoadOrder) {
    try {
      Read(key, field, record);
    } catch (const PlatformError& error) {
      if (!firstWrongType) firstWrongType = error;
    }
  }
  if (firstWrongType) throw *firstWrongType;
}

void StoreSettings(Registry& registry, const Settings& values) {
  SettingsKey key(registry);
  for (const Field& field : kStoreOrder) Write(key, field, values);
  if (values.SoundEnabled) key.WriteString("SoundFile", values.SoundFile);
}

void StoreBoolSetting(Registry& registry, const char* name, bool value) {
  SettingsKey(registry).WriteBool(name, value);
}

}  // namespace vandrel
