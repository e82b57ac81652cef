#pragma once
#include <windows.h>

#include "ui/win32/ErrorBarrier.h"

namespace vandrel {

// The base of the program's modal dialogs. One dialog procedure serves them
// all: the object arrives as the DialogBoxIndirectParam argument at
// WM_INITDIALOG and lives in DWLP_USER, and every message goes to
// HandleMessage behind the exception barrier.
class ModalDialog {
 public:
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() { Destroy(); }

  void SetErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }

 protected:
  ModalDialog() = default;

  // Which calls make the dialog, and so its controls: wide controls hold
  // text of any script, ANSI ones only what the code page holds.
  enum class Characters { Ansi, Wide };
  // Shows the dialog and returns the value given to End(). Throws
  // PlatformError when the dialog cannot be made.
  INT_PTR Run(HWND owner, const DLGTEMPLATE& dialogTemplate, Characters characters = Characters::Ansi);
  // A dialog that lives hidden from its creation and is shown modally on
  // each request: CreateHidden makes it (throws PlatformError when it cannot),
  // ShowHiddenModally shows it over a disabled `owner` and runs the thread's
  // messages until End() hides it again.
  // BeforeFirstShow runs once, when the hidden dialog is first shown.
  void CreateHidden(HWND owner, const DLGTEMPLATE& dialogTemplate);
  void ShowHiddenModally(HWND owner);
  virtual void BeforeFirstShow() {}
  // Destroys a dialog made by CreateHidden (derived classes call it before
  // their own members go).
  void Destroy();
  void End(INT_PTR result) const;
  HWND Handle() const { return handle_; }
  // True for a dialog made by CreateHidden.
  bool LivesHidden() const { return livesHidden_; }

  // One message; TRUE when handled, FALSE for the dialog manager's handling.
  virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
  HWND modalOwner_ = nullptr;
  bool livesHidden_ = false;
  bool shownBefore_ = false;
  ErrorReporter reporter_;
};

}  // namespace vandrel
