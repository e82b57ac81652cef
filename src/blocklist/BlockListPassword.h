#pragma once
#include <string>

#include "platform/Registry.h"
#include "ui/Controls.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kMasterPassword = "Wbn4Kx";
inline constexpr const char* kPassEnabledValue = "PassEnabled";
inline constexpr const char* kPasswordValue = "Password";
inline constexpr const char* kPasswordSaved = "Password saved.";
inline constexpr const char* kPasswordMissing = "Please, enter password and then click Save password.";
inline constexpr const char* kPasswordDisabled = "Password disabled.";
inline constexpr const char* kEnterPassword = "Please, enter password!";
inline constexpr const char* kPasswordNotCorrect = "The password is not correct";
// ':' scrambles to the zero byte, which would end the stored string there.
inline constexpr const char* kPasswordUnstorable =
    "The password can not contain the character ':'.\r\nPlease, choose another password.";

// The block list dialog's "Password" frame and the protection it edits. The
// protection lives in the settings key (PassEnabled "1"/"0", Password
// scrambled by CryptString); the frame mirrors it when the block list
// command or a refresh runs. A password is compared byte for byte, and the
// master password is accepted wherever the stored one is.
class BlockListPassword {
 public:
  BlockListPassword(Registry& registry, Prompts& prompts);
  BlockListPassword(const BlockListPassword&) = delete;
  BlockListPassword& operator=(const BlockListPassword&) = delete;

  CheckBox PassEnabled;  // "&Protect with password", its text left of the box
  ControlModel Label1;   // "Pass&word"
  Edit Password;         // masked
  Button Save;           // "&Save password"

  void PassEnabledClick();
  void SaveClick();
  // The dialog's refresh: a protected dialog shows the field, empty.
  void Refreshed();
  // The dialog's close stores the frame's state. A ticked box with an empty
  // field keeps whatever is stored: only unticking switches protection off.
  void Closing();
  // The block list command's check while the dialog is hidden: the frame
  // mirrors the stored protection, and the password is asked when needed.
  // True when the dialog is to be shown modally now; false when the
  // password was refused (the refusal has been told).
  bool MayOpen();

  // The text last accepted at the prompt; empty at start, kept for the run.
  const std::string& EnteredPassword() const { return entered_; }

 private:
  struct Stored {
    bool enabled;
    std::string password;  // unscrambled
  };
  Stored ReadStored();
  bool Accepts(const std::string& stored) const;
  // Writes protection on with `password`; a password the settings key
  // cannot hold whole is refused with a warning and nothing is written.
  bool StoreEnabled(const std::string& password);
  void StoreDisabled();

  Registry& registry_;
  Prompts& prompts_;
  std::string entered_;
};

}  // namespace vandrel
