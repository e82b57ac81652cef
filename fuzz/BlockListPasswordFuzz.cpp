// The block list's protection as stored in the registry, where anything may
// stand: the dialog opens unprotected, or after the stored password or the
// master password was typed, and never otherwise; a password saved from the
// dialog opens it afterwards and nothing else does.
//
// Input, cut at its first byte: PassEnabled's text, Password's scrambled
// text, the typed password, the saved one; a fifth part makes a value of
// the wrong type (its first byte picks which).
#include "FuzzCheck.h"
#include "blocklist/BlockListPassword.h"
#include "blocklist/CryptString.h"
#include "platform/PlatformError.h"
#include "platform/memory/MemoryRegistry.h"
#include "settings/SettingsKey.h"
#include "ui/memory/ScriptedPrompts.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

// Whether the block list command lets the dialog open when `typed` is
// typed at the prompt (if one is shown); throws for a value of a wrong type.
bool Opens(MemoryRegistry& registry, const std::optional<std::string>& typed) {
  ScriptedPrompts prompts;
  prompts.ScriptPassword(typed);
  BlockListPassword protection(registry, prompts);
  return protection.MayOpen();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input = fuzz::AsText(data, size);
  std::vector<std::string> parts = fuzz::SplitAt(input.substr(1), input[0]);
  parts.resize(std::max<std::size_t>(parts.size(), 4));
  const std::string& enabledText = parts[0];
  const std::string& storedScrambled = parts[1];
  const std::string& typed = parts[2];
  const std::string& saved = parts[3];

  MemoryRegistry registry;
  registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, kPassEnabledValue, enabledText);
  registry.WriteString(RootKey::CurrentUser, kSettingsKeyPath, kPasswordValue, storedScrambled);
  const bool wrongType = parts.size() > 4 && !parts[4].empty();
  if (wrongType) {
    const char* name = (parts[4][0] & 1) != 0 ? kPassEnabledValue : kPasswordValue;
    registry.WriteDword(RootKey::CurrentUser, kSettingsKeyPath, name, 1);
  }

  try {
    const bool protectedNow = ParseInteger(enabledText).value_or(0) != 0;
    const std::string stored = CryptString(storedScrambled);
    const bool expected = !protectedNow || stored.empty() || typed == stored || typed == kMasterPassword;
    Require(Opens(registry, typed) == expected, "opens unprotected or with the right password only");
    Require(Opens(registry, std::nullopt) == (!protectedNow || stored.empty()),
            "a cancelled prompt opens only what needs no password");
    Require(!wrongType, "a value of the wrong type is reported");
  } catch (const PlatformError& error) {
    Require(wrongType, "only a value of the wrong type is reported");
    Require(std::string_view(error.what()).starts_with("Invalid data type for '"), "as a wrong type");
    return 0;
  }

  ScriptedPrompts prompts;
  BlockListPassword dialog(registry, prompts);
  dialog.PassEnabled.SetChecked(true);
  dialog.PassEnabledClick();
  dialog.Password.SetText(saved);
  dialog.SaveClick();
  if (saved.empty()) return 0;
  const bool storable = saved.find(':') == std::string::npos;
  if (storable) {
    Require(Opens(registry, saved), "a saved password opens the dialog");
    if (saved + "x" != kMasterPassword) Require(!Opens(registry, saved + "x"), "another password does not");
  } else {
    Require(prompts.Messages().back().text == kPasswordUnstorable, "an unstorable password is refused");
  }
  return 0;
}
