#include "ui/win32/ControlWindows.h"

#include <stdexcept>

#include "platform/PlatformError.h"
#include "ui/win32/DpiScale.h"

namespace vandrel {

HWND ResolveControl(HWND form, const ControlRef& control, const ControlKind& kind) {
  if (control.Existing()) return control.Existing();
  if (const auto& designed = control.WhereToCreate()) {
    const Place place = DpiScale::Screen()(*designed);
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(form, GWLP_HINSTANCE));
    const HWND made = CreateWindowExA(kind.exStyle, kind.className, "", WS_CHILD | WS_VISIBLE | kind.style, place.left,
                                      place.top, place.width, place.height, form,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.Id())), instance, nullptr);
    if (!made) throw PlatformError(std::string("Cannot create the control ") + kind.className);
    SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return made;
  }
  const HWND existing = GetDlgItem(form, control.Id());
  if (!existing) throw std::logic_error("The form has no control with id " + std::to_string(control.Id()));
  return existing;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetTextIfChanged(HWND window, const std::string& text) {
  if (WindowText(window) != text) SetWindowTextA(window, text.c_str());
}

void DrawState(HWND window, const ControlModel& model) {
  if ((IsWindowEnabled(window) != FALSE) != model.Enabled()) EnableWindow(window, model.Enabled());
  // The style, not IsWindowVisible: a control of a hidden form is still "shown".
  const bool shown = (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (shown != model.Visible()) ShowWindow(window, model.Visible() ? SW_SHOWNA : SW_HIDE);
}

void FillList(HWND list, UINT resetMessage, UINT addMessage, const std::vector<std::string>& items) {
  // A block list can hold a hundred thousand entries: fill it without a
  // repaint per item, with its storage reserved up front.
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, resetMessage, 0, 0);
  if (addMessage == LB_ADDSTRING) {
    std::size_t bytes = 0;
    for (const std::string& item : items) bytes += item.size() + 1;
    SendMessageA(list, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
  }
  for (const std::string& item : items) SendMessageA(list, addMessage, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace vandrel
