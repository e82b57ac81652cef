#include "ui/win32/ModalForm.h"

#include "ui/win32/ControlWindows.h"

namespace vandrel {

void RunModalLoop(HWND window, HWND owner, const std::function<bool()>& shown,
                  const std::function<bool(const MSG&)>& ownKeys) {
  if (owner) EnableWindow(owner, FALSE);
  MSG message;
  while (IsWindow(window) && shown()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (ownKeys && ownKeys(message)) continue;
    if (!IsDialogMessageA(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  if (owner) EnableWindow(owner, TRUE);  // no-op when hiding enabled it already
}

void DrawModalForm(HWND window, const FormModel& form, HWND modalOwner) {
  SetTextIfChanged(window, form.Caption());
  const bool visible = IsWindowVisible(window) != FALSE;
  if (visible == form.Visible()) return;
  if (!form.Visible() && modalOwner) EnableWindow(modalOwner, TRUE);
  ShowWindow(window, form.Visible() ? SW_SHOW : SW_HIDE);
}

void ShowAndFocus(HWND window) {
  SetForegroundWindow(window);
  if (const HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
}

}  // namespace vandrel
