#include "richmedia/BrowserSwitches.h"

namespace vandrel {
namespace {

constexpr auto kCurrentUser = RootKey::CurrentUser;
constexpr auto kLocalMachine = RootKey::LocalMachine;
constexpr std::array<const char*, 2> kPlayerKeys{kFlashPlayerKey, kShockwavePlayerKey};

void WriteYesNo(Registry& registry, const char* valueName, Choice choice) {
  registry.WriteString(kCurrentUser, kBrowserMainKey, valueName, choice == Choice::Yes ? "Yes" : "No");
}

void WritePlayers(Registry& registry, Choice choice) {
  for (const char* key : kPlayerKeys) {
    if (choice == Choice::Yes) {
      registry.DeleteKeyTree(kLocalMachine, key);  // a missing key is already what "Yes" wants
    } else {
      registry.WriteDword(kLocalMachine, key, kCompatibilityFlagsValue, kKillBit);
    }
  }
}

}  // namespace

Choice ProfileChoice(Profile profile, int switchNumber) {
  switch (profile) {
    case Profile::YesToAll: return Choice::Yes;
    case Profile::NoToAll: return Choice::No;
    case Profile::Defaults: break;
  }
  for (const RichMediaSwitch& entry : kRichMediaSwitches) {
    if (entry.number == switchNumber) return entry.monitorDefault;
  }
  return Choice::Yes;
}

void WriteBrowserSwitch(Registry& registry, int number, Choice choice) {
  switch (number) {
    case 1: return WriteYesNo(registry, kInlineVideosValue, choice);
    case 2: return WriteYesNo(registry, kAnimationsValue, choice);
    case 3: return WriteYesNo(registry, kBackgroundSoundsValue, choice);
    case 4: return WritePlayers(registry, choice);
    case 5:
      return registry.WriteDword(kCurrentUser, kInternetZoneKey, kJavaPermissionsValue,
                                 choice == Choice::Yes ? kJavaHighSafety : kJavaDisabled);
    default: return;
  }
}

}  // namespace vandrel
