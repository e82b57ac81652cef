#include "ui/win32/ModalForm.h"

#include "platform/ScopeExit.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/WorkArea.h"

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

void ShowFormModal(HWND window, FormModel& form, HWND owner, const ErrorReporter& report,
                   const std::function<void()>& onShow, const std::function<bool(const MSG&)>& ownKeys) {
  form.SetVisible(true);
  // A command for the open form (a second "Block List" from the tray) brings it forward.
  form.activate = [window] { SetForegroundWindow(window); };
  const ScopeExit forget([&form] { form.activate = nullptr; });
  ShowAndFocus(window);
  if (onShow) {
    RunGuarded(window, report, 0, [&onShow] {
      onShow();
      return 0;
    });
  }
  RunModalLoop(
      window, owner, [&form] { return form.Visible(); }, ownKeys);
}

void ShowAndFocus(HWND window) {
  SetForegroundWindow(window);
  if (const HWND first = GetNextDlgTabItem(window, nullptr, FALSE)) SetFocus(first);
}

WindowPlacement CentredOwnedPlacement(DWORD style, int clientWidth, int clientHeight, HWND owner, const char* title) {
  // A dialog frame is the extended style: CreateWindowEx ignores
  // DS_MODALFRAME, and without the frame the caption shows the system's
  // generic icon, as a dialog box never does.
  const DWORD exStyle = (style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0;
  const DpiScale& scale = DpiScale::Screen();
  RECT outer{0, 0, scale(clientWidth), scale(clientHeight)};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  WindowPlacement placement;
  placement.title = title;
  placement.style = style;  // without WS_VISIBLE: created hidden
  placement.exStyle = exStyle;
  placement.parent = owner;
  const RECT held = HeldOnWorkArea(outer.right - outer.left, outer.bottom - outer.top,
                                   RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  placement.left = held.left;
  placement.top = held.top;
  placement.width = held.right - held.left;
  placement.height = held.bottom - held.top;
  return placement;
}

}  // namespace vandrel
