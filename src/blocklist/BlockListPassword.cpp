#include "blocklist/BlockListPassword.h"

#include "blocklist/CryptString.h"
#include "settings/SettingsKey.h"

namespace vandrel {

BlockListPassword::BlockListPassword(Registry& registry, Prompts& prompts) : registry_(registry), prompts_(prompts) {
  PassEnabled.SetCaption("&Protect with password");
  PassEnabled.OnClick = [this] { PassEnabledClick(); };
  Label1.SetCaption("Pass&word");
  Label1.SetVisible(false);
  Password.SetVisible(false);
  Password.SetEnabled(false);
  Save.SetCaption("&Save password");
  Save.OnClick = [this] { SaveClick(); };
}

void BlockListPassword::PassEnabledClick() {
  const bool on = PassEnabled.Checked();
  Password.SetEnabled(on);
  Password.SetVisible(on);
  Label1.SetVisible(on);
  if (on) Password.SetText("");
}

void BlockListPassword::SaveClick() {
  if (!PassEnabled.Checked()) {
    StoreDisabled();
    prompts_.Message(MessageKind::Information, kPasswordDisabled, MessageButtons::Ok);
  } else if (Password.Text().empty()) {
    prompts_.Message(MessageKind::Warning, kPasswordMissing, MessageButtons::Ok);
  } else if (StoreEnabled(Password.Text())) {
    prompts_.Message(MessageKind::Information, kPasswordSaved, MessageButtons::Ok);
  }
}

void BlockListPassword::Refreshed() {
  const Stored stored = ReadStored();
  if (!stored.enabled || stored.password.empty()) return;
  PassEnabled.SetChecked(true);
  PassEnabledClick();  // also when the box was ticked already: the field empties
}

void BlockListPassword::Closing() {
  if (!PassEnabled.Checked()) {
    StoreDisabled();
  } else if (!Password.Text().empty()) {
    StoreEnabled(Password.Text());
  }
}

bool BlockListPassword::MayOpen() {
  const Stored stored = ReadStored();
  if (!stored.enabled) {
    PassEnabled.SetChecked(false);
    Password.SetVisible(false);
    Password.SetEnabled(false);
    Password.SetText("");
    return true;
  }
  PassEnabled.SetChecked(true);
  Password.SetText(stored.password);
  if (!Accepts(stored.password)) entered_ = prompts_.PasswordPrompt(kEnterPassword).value_or("");
  if (!Accepts(stored.password)) {
    prompts_.Message(MessageKind::Information, kPasswordNotCorrect, MessageButtons::Ok);
    return false;
  }
  return true;
}

BlockListPassword::Stored BlockListPassword::ReadStored() {
  SettingsKey key(registry_);
  const bool enabled = key.ReadBool(kPassEnabledValue, false);
  return {enabled, CryptString(key.ReadString(kPasswordValue, ""))};
}

bool BlockListPassword::Accepts(const std::string& stored) const {
  return entered_ == stored || entered_ == kMasterPassword;
}

bool BlockListPassword::StoreEnabled(const std::string& password) {
  const std::string scrambled = CryptString(password);
  if (scrambled.find('\0') != std::string::npos) {
    prompts_.Message(MessageKind::Warning, kPasswordUnstorable, MessageButtons::Ok);
    return false;
  }
  SettingsKey key(registry_);
  key.WriteString(kPassEnabledValue, "1");
  key.WriteString(kPasswordValue, scrambled);
  return true;
}

void BlockListPassword::StoreDisabled() {
  SettingsKey key(registry_);
  key.WriteString(kPassEnabledValue, "0");
  key.WriteString(kPasswordValue, "");
}

}  // namespace vandrel
