#include "ui/win32/SilenceableBox.h"

#include <algorithm>

#include "ui/win32/BoxMetrics.h"
#include "ui/win32/DeviceContext.h"
#include "ui/win32/DpiScale.h"
#include "ui/win32/DialogTemplate.h"
#include "ui/win32/MessageStyle.h"

namespace vandrel {
namespace {

using Layout = SilenceableLayout;
using namespace box_metrics;

constexpr int kMaxTextWidth = 420;
constexpr int kLinesWithoutGrowth = 2;
constexpr int kButtonTop = 66;
constexpr int kCheckGap = 6;  // between the check mark and its caption

DialogTemplate BoxTemplate(MessageButtons buttons) {
  using Item = DialogTemplate::ItemClass;
  DialogTemplate box(kBoxStyle, "MS Shell Dlg", 8);
  box.AddItem(Item::Static, kIconId, SS_ICON);
  box.AddItem(Item::Static, kTextId, SS_LEFT | SS_NOPREFIX);
  DWORD kind = BS_DEFPUSHBUTTON;
  for (const MessageButton& button : MessageButtonsOf(buttons)) {
    box.AddItem(Item::Button, static_cast<WORD>(button.command), kind | WS_TABSTOP);
    kind = BS_PUSHBUTTON;
  }
  box.AddItem(Item::Button, Layout::kCheckId, BS_AUTOCHECKBOX | WS_TABSTOP);
  return box;
}

}  // namespace

SilenceableBox::SilenceableBox(MessageKind kind, std::string text, MessageButtons buttons)
    : kind_(kind), text_(std::move(text)), buttons_(buttons) {}

SilenceableAnswer SilenceableBox::Show(HWND owner) {
  const DialogTemplate box = BoxTemplate(buttons_);
  const auto command = static_cast<int>(Run(owner, box.Get()));
  return {AnswerOf(command, buttons_), dontShowAgain_};
}

INT_PTR SilenceableBox::HandleMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: Start(); return FALSE;  // Start() has put the focus on the default button
    case WM_COMMAND:
      if (LOWORD(wParam) == Layout::kCheckId) return FALSE;
      // IDCANCEL also comes from Esc and the close box, in every set.
      Finish(LOWORD(wParam) == IDCANCEL ? EscapeCommand(buttons_) : LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

void SilenceableBox::Start() {
  SetWindowTextA(Handle(), kApplicationTitle);
  SetDlgItemTextA(Handle(), kTextId, text_.c_str());
  SetDlgItemTextA(Handle(), Layout::kCheckId, kDontShowAgain);
  for (const MessageButton& button : MessageButtonsOf(buttons_)) {
    SetDlgItemTextA(Handle(), button.command, button.caption);
  }
  const HICON icon = LoadIconA(nullptr, MessageIcon(kind_));  // shared: never destroyed
  SendDlgItemMessageA(Handle(), kIconId, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  LayOut();
  SetFocus(GetDlgItem(Handle(), MessageButtonsOf(buttons_).front().command));
}

void SilenceableBox::Finish(int command) {
  dontShowAgain_ = IsDlgButtonChecked(Handle(), Layout::kCheckId) == BST_CHECKED;
  End(command);
}

void SilenceableBox::LayOut() const {
  const TextExtent text = Measure(text_, DT_WORDBREAK | DT_EXPANDTABS);
  // The designed width, unless the caption needs more in the font at hand.
  const int checkWidth =
      std::max(Layout::kCheckWidth, Measure(kDontShowAgain, DT_SINGLELINE).width +
                                        DpiScale::Screen().Designed(GetSystemMetrics(SM_CXMENUCHECK)) + kCheckGap);
  // Lines beyond the second push everything below the text down.
  const int growth = std::max(0, text.height - kLinesWithoutGrowth * text.lineHeight);
  const auto buttons = MessageButtonsOf(buttons_);
  const int count = static_cast<int>(buttons.size());
  const int buttonsWidth = count * kButtonWidth + (count - 1) * kButtonGap;
  const int clientWidth = std::max(
      {kTextLeft + text.width + kMargin, buttonsWidth + 2 * kMargin, Layout::kCheckLeft + checkWidth + kMargin});

  Place(kIconId, kMargin, kTextTop, kIconSize, kIconSize);
  Place(kTextId, kTextLeft, kTextTop, text.width, text.height);
  int left = (clientWidth - buttonsWidth) / 2;
  for (const MessageButton& button : buttons) {
    Place(button.command, left, kButtonTop + growth, kButtonWidth, kButtonHeight);
    left += kButtonWidth + kButtonGap;
  }
  Place(Layout::kCheckId, Layout::kCheckLeft, Layout::kCheckTop + growth, checkWidth, Layout::kCheckHeight);
  PlaceBox(clientWidth, Layout::kBoxHeight + growth);
}

SilenceableBox::TextExtent SilenceableBox::Measure(const std::string& text, UINT format) const {
  const WindowDc dc(Handle());
  const auto font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
  const SelectedObject selected(dc.Get(), font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc.Get(), &metrics);
  const DpiScale& scale = DpiScale::Screen();
  RECT bounds{0, 0, scale(kMaxTextWidth), 0};
  DrawTextA(dc.Get(), text.c_str(), -1, &bounds, DT_CALCRECT | DT_NOPREFIX | format);
  return {scale.Designed(bounds.right), scale.Designed(bounds.bottom), scale.Designed(metrics.tmHeight)};
}

// Sizes the box and centres it over its owner (the screen when it has none).
void SilenceableBox::PlaceBox(int designedWidth, int designedHeight) const {
  const DpiScale& scale = DpiScale::Screen();
  const int height = scale(designedHeight);
  RECT frame{0, 0, scale(designedWidth), 0};
  AdjustWindowRectEx(&frame, kBoxStyle, FALSE, GetWindowLongA(Handle(), GWL_EXSTYLE));
  const int width = frame.right - frame.left;
  RECT area{};
  const HWND owner = GetWindow(Handle(), GW_OWNER);
  if (!owner || !IsWindowVisible(owner) || IsIconic(owner) || !GetWindowRect(owner, &area)) {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int left = std::max(0, static_cast<int>(area.left + area.right - width) / 2);
  const int top = std::max(0, static_cast<int>(area.top + area.bottom - height) / 2);
  SetWindowPos(Handle(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SilenceableBox::Place(int id, int left, int top, int width, int height) const {
  const vandrel::Place place = DpiScale::Screen()(vandrel::Place{left, top, width, height});
  MoveWindow(GetDlgItem(Handle(), id), place.left, place.top, place.width, place.height, FALSE);
}

}  // namespace vandrel
