#pragma once
#include <windows.h>

#include "ui/Prompts.h"

namespace vandrel {

// The program's messages as real message boxes titled "Vandrel", owned by
// the window the user is in: the last active of the shown windows that the
// main window owns (a dialog, or a box over it), else the main window.
class Win32Prompts : public Prompts {
 public:
  // The main window, which owns the program's other windows.
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND MainWindow() const { return owner_; }
  // Asked anew for every box: the user may have moved to another window.
  HWND Owner() const;

  Answer Message(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  SilenceableAnswer SilenceableMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;
  // The common open-file and save-file dialogs (GetOpenFileNameA,
  // GetSaveFileNameA); the file name may be longer than MAX_PATH.
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  // The confirmation box with a masked edit (PasswordBox).
  std::optional<std::string> PasswordPrompt(const std::string& text) override;
  // The same box, 280 x 180, with a plain edit below the text.
  std::optional<std::string> AddressPrompt(const std::string& text, const std::string& initial) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace vandrel
