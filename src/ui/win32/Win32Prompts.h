#pragma once
#include <windows.h>
#include <commdlg.h>

#include "platform/win32/Handles.h"
#include "ui/Prompts.h"

namespace vandrel {

using FileDialogFunction = BOOL(WINAPI*)(LPOPENFILENAMEA);

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
  // GetSaveFileNameA); the file name may be longer than MAX_PATH. Their
  // library is loaded at the first dialog: loading it at start-up costs
  // Wine more than the rest of the program's libraries together.
  std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
  // The confirmation box with a masked edit (PasswordBox).
  std::optional<std::string> PasswordPrompt(const std::string& text) override;
  // The same box, 280 x 180, with a plain edit below the text.
  std::optional<std::string> AddressPrompt(const std::string& text, const std::string& initial) override;

 private:
  // The dialog function of the common dialogs' library; null when the
  // library or the function cannot be found.
  FileDialogFunction CommonDialog(const char* name);

  HWND owner_ = nullptr;
  UniqueModule commonDialogs_;
};

}  // namespace vandrel
