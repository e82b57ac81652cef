#include "ui/win32/ModalDialog.h"

#include "platform/PlatformError.h"

namespace vandrel {

INT_PTR ModalDialog::Run(HWND owner, const DLGTEMPLATE& dialogTemplate) {
  const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate, owner,
                                                 &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
  handle_ = nullptr;
  if (result == -1) throw PlatformError("Cannot create the dialog box");
  return result;
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
