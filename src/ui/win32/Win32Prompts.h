#pragma once
#include <windows.h>

#include "ui/Prompts.h"

namespace vandrel {

// The program's messages as real message boxes titled "Vandrel", owned by
// the main window once it exists.
class Win32Prompts : public Prompts {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND Owner() const { return owner_; }

  Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  SilenceableAnswer SilenceableMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  // The common open-file and save-file dialogs (GetOpenFileNameA,
  // GetSaveFileNameA); the file name may be longer than MAX_PATH.
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  // The confirmation box with a masked edit (PasswordBox).
  std::optional<std::string> PasswordPrompt(const std::string& text) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace vandrel
