#include "ui/win32/ModalDialog.h"

#include "platform/PlatformError.h"
#include "ui/win32/ModalForm.h"

namespace vandrel {

INT_PTR ModalDialog::Run(HWND owner, const DLGTEMPLATE& dialogTemplate, Characters characters) {
  const auto run = characters == Characters::Wide ? &DialogBoxIndirectParamW : &DialogBoxIndirectParamA;
  const INT_PTR result =
      run(GetModuleHandleA(nullptr), &dialogTemplate, owner, &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
  handle_ = nullptr;
  if (result == -1) throw PlatformError("Cannot create the dialog box");
  return result;
}

void ModalDialog::CreateHidden(HWND owner, const DLGTEMPLATE& dialogTemplate) {
  Destroy();
  livesHidden_ = true;
  // The template has no WS_VISIBLE: the dialog stays hidden until shown.
  if (!CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate, owner, &ModalDialog::Procedure,
                                  reinterpret_cast<LPARAM>(this))) {
    livesHidden_ = false;
    throw PlatformError("Cannot create the dialog box");
  }
}

void ModalDialog::ShowHiddenModally(HWND owner) {
  if (!handle_) return;
  if (!shownBefore_) {
    shownBefore_ = true;
    BeforeFirstShow();
  }
  modalOwner_ = owner;
  ShowWindow(handle_, SW_SHOW);
  ShowAndFocus(handle_);
  RunModalLoop(handle_, owner, [this] { return IsWindowVisible(handle_) != FALSE; });
  modalOwner_ = nullptr;
}

void ModalDialog::End(INT_PTR result) const {
  if (!livesHidden_) {
    EndDialog(handle_, result);
    return;
  }
  // The owner is enabled before the hide, so that it gets the activation.
  if (modalOwner_) EnableWindow(modalOwner_, TRUE);
  ShowWindow(handle_, SW_HIDE);
}

void ModalDialog::Destroy() {
  if (!livesHidden_ || !handle_) return;
  const HWND dialog = handle_;
  handle_ = nullptr;
  livesHidden_ = false;
  // The last messages find no object: a base destructor may be calling.
  SetWindowLongPtrA(dialog, DWLP_USER, 0);
  DestroyWindow(dialog);
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    self->handle_ = dialog;
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  }
  auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (!self) return FALSE;
  return RunGuarded(dialog, self->reporter_, INT_PTR{FALSE},
                    [&] { return self->HandleMessage(message, wParam, lParam); });
}

}  // namespace vandrel
