#include "ui/win32/PasswordBox.h"

#include <algorithm>

#include "ui/Prompts.h"
#include "ui/win32/BoxMetrics.h"
#include "ui/win32/ControlWindows.h"
#include "ui/win32/DeviceContext.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/MessageStyle.h"

namespace vandrel {
namespace {

using Layout = PasswordLayout;
using namespace box_metrics;

constexpr int kButtonTop = 58;
constexpr MessageButtons kButtons = MessageButtons::OkCancel;

DialogTemplate BoxTemplate(bool masked) {
  using Item = DialogTemplate::ItemClass;
  DialogTemplate box(kBoxStyle, "MS Shell Dlg", 8);
  // The edit first: it leads the tab order.
  box.AddItem(Item::Edit, Layout::kEditId, (masked ? ES_PASSWORD : 0) | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP);
  box.AddItem(Item::Static, kIconId, SS_ICON);
  box.AddItem(Item::Static, kTextId, SS_LEFT | SS_NOPREFIX);
  DWORD kind = BS_DEFPUSHBUTTON;
  for (const MessageButton& button : MessageButtonsOf(kButtons)) {
    box.AddItem(Item::Button, static_cast<WORD>(button.command), kind | WS_TABSTOP);
    kind = BS_PUSHBUTTON;
  }
  return box;
}

}  // namespace

PasswordBox::PasswordBox(std::string text, EditBoxShape shape) : text_(std::move(text)), shape_(std::move(shape)) {}

std::optional<std::string> PasswordBox::Show(HWND owner) {
  const DialogTemplate box = BoxTemplate(shape_.masked);
  if (AnswerOf(static_cast<int>(Run(owner, box.Get())), kButtons) != Answer::Ok) return std::nullopt;
  return typed_;
}

INT_PTR PasswordBox::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    Start();
    return FALSE;  // Start() has put the focus on the edit
  }
  if (message != WM_COMMAND) return FALSE;
  const int command = LOWORD(wParam);
  if (command == IDOK) {
    typed_ = WindowText(GetDlgItem(Handle(), Layout::kEditId));
    End(IDOK);
    return TRUE;
  }
  if (command == IDCANCEL) {  // also Esc and the close box
    End(IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

void PasswordBox::Start() {
  SetWindowTextA(Handle(), kApplicationTitle);
  SetDlgItemTextA(Handle(), kTextId, text_.c_str());
  for (const MessageButton& button : MessageButtonsOf(kButtons)) {
    SetDlgItemTextA(Handle(), button.command, button.caption);
  }
  const HWND edit = GetDlgItem(Handle(), Layout::kEditId);
  if (shape_.masked) SendMessageA(edit, EM_SETPASSWORDCHAR, '*', 0);
  const HICON icon = LoadIconA(nullptr, MessageIcon(MessageKind::Confirmation));  // shared: never destroyed
  SendDlgItemMessageA(Handle(), kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  LayOut();
  // After the edit has its width: set into a control of no width, the text
  // would stay scrolled to its end.
  SetWindowTextA(edit, shape_.initial.c_str());
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SetFocus(edit);
}

void PasswordBox::LayOut() const {
  const DpiScale& scale = DpiScale::Screen();
  SIZE text{};  // of the longest line, and of all lines, in designed pixels
  {
    const WindowDc dc(Handle());
    const SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0)));
    RECT bounds{};
    DrawTextA(dc.Get(), text_.c_str(), static_cast<int>(text_.size()), &bounds, DT_CALCRECT | DT_NOPREFIX);
    text = {scale.Designed(bounds.right - bounds.left), scale.Designed(bounds.bottom - bounds.top)};
  }
  const int buttonsWidth = 2 * kButtonWidth + kButtonGap;
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, kBoxStyle, FALSE, GetWindowLongA(Handle(), GWL_EXSTYLE));
  const int frameWidth = scale.Designed(frame.right - frame.left);
  const int clientWidth = shape_.boxWidth > 0
                              ? shape_.boxWidth - frameWidth
                              : std::max({kTextLeft + static_cast<int>(text.cx) + kMargin, buttonsWidth + 2 * kMargin,
                                          shape_.editLeft + shape_.editWidth + kMargin});
  // Below a text of several lines, the buttons move down with it.
  const int buttonTop = std::max(kButtonTop, kTextTop + 4 + static_cast<int>(text.cy) + kMargin);
  Place(kIconId, kMargin, kTextTop - 4, kIconSize, kIconSize);
  Place(kTextId, kTextLeft, kTextTop + 4, text.cx, text.cy);
  int left = (clientWidth - buttonsWidth) / 2;
  for (const MessageButton& button : MessageButtonsOf(kButtons)) {
    Place(button.command, left, buttonTop, kButtonWidth, kButtonHeight);
    left += kButtonWidth + kButtonGap;
  }
  Place(Layout::kEditId, shape_.editLeft, shape_.editTop, shape_.editWidth, Layout::kEditHeight);

  const int width = scale(clientWidth + frameWidth);
  const int height = scale(shape_.boxHeight);
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  SetWindowPos(Handle(), nullptr, (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, width,
               height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PasswordBox::Place(int id, int left, int top, int width, int height) const {
  const vandrel::Place place = DpiScale::Screen()(vandrel::Place{left, top, width, height});
  MoveWindow(GetDlgItem(Handle(), id), place.left, place.top, place.width, place.height, FALSE);
}

}  // namespace vandrel
