#pragma once
#include <array>

#include "platform/Registry.h"

namespace vandrel {

// The browser's own registry switches for rich content, which the rich-media
// window turns on and off. Paths are relative to their root.
inline constexpr const char* kBrowserMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kFlashPlayerKey =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";
inline constexpr const char* kShockwavePlayerKey =
    "SOFTWARE\\Microsoft\\Internet Explorer\\ActiveX Compatibility\\{166B1BCA-3F9C-11CF-8075-444553540000}";
inline constexpr const char* kInternetZoneKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\3";

inline constexpr const char* kInlineVideosValue = "Display Inline Videos";
inline constexpr const char* kAnimationsValue = "Play_Animations";
inline constexpr const char* kBackgroundSoundsValue = "Play_Background_Sounds";
inline constexpr const char* kCompatibilityFlagsValue = "Compatibility Flags";
inline constexpr const char* kJavaPermissionsValue = "1C00";

// "Compatibility Flags" that stop the browser from loading a control.
inline constexpr std::uint32_t kKillBit = 0x400;
// "1C00" of a zone: Java allowed at high safety, or disabled.
inline constexpr std::uint32_t kJavaHighSafety = 0x10000;
inline constexpr std::uint32_t kJavaDisabled = 0;

// A switch's choice, which is also its item in the radio group and its
// stored value.
enum class Choice { Yes = 0, No = 1 };

inline constexpr int kSwitchCount = 5;

struct RichMediaSwitch {
  int number;  // the group's Tag and the name of its stored choice
  const char* caption;
  Choice monitorDefault;  // what the monitor assumes while nothing is stored
};

inline constexpr std::array<RichMediaSwitch, kSwitchCount> kRichMediaSwitches{{
    {1, "Display inline &videos", Choice::No},
    {2, "Play animated &gifs", Choice::Yes},
    {3, "Background &sounds", Choice::Yes},
    {4, "&Macromedia Shockwave && Flash Player", Choice::No},
    {5, "Accept &JAVA applets", Choice::No},
}};

// The global profiles, by item of the "Global s&ettings" group.
enum class Profile { YesToAll = 0, NoToAll = 1, Defaults = 2 };
Choice ProfileChoice(Profile profile, int switchNumber);

// Writes what switch `number` means in the browser's keys, creating the keys
// it writes into. "Yes" for the players deletes both player keys with their
// subkeys; a key that cannot be deleted is passed over. A refused write
// throws "Failed to set data for '<value>'". Other numbers write nothing.
void WriteBrowserSwitch(Registry& registry, int number, Choice choice);

}  // namespace vandrel
