#include "app/win32/ToolbarView.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "resources/toolbar/toolbar_ids.h"
#include "ui/win32/DpiScale.h"

namespace vandrel {
namespace {

constexpr int kToolbarId = 99;
// Designed at 96 DPI.
constexpr int kButtonWidth = 98, kButtonHeight = 53;
constexpr int kImageSize = 32, kImageCount = 11;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// The eleven pictures of one strip resource at the screen's size; an empty
// list when it is missing. Enlarging repeats pixels, so the mask colour
// stays exact and the edges sharp.
UniqueImageList LoadStrip(HINSTANCE instance, int resource) {
  const int size = DpiScale::Screen()(kImageSize);
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, kImageCount, 0));
  const UniqueGdiObject strip(
      LoadImageA(instance, MAKEINTRESOURCEA(resource), IMAGE_BITMAP, size * kImageCount, size, LR_CREATEDIBSECTION));
  if (list && strip) ImageList_AddMasked(list.get(), static_cast<HBITMAP>(strip.get()), kMaskColour);
  return list;
}

}  // namespace

void ToolbarView::Create(HWND parent, HINSTANCE instance, HFONT font) {
  // The form lays the strip out itself, above its status bar.
  toolbar_ = CreateWindowExA(
      0, TOOLBARCLASSNAMEA, nullptr,
      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0, 0,
      0, 0, parent, reinterpret_cast<HMENU>(kToolbarId), instance, nullptr);
  if (!toolbar_) return;
  SendMessageA(toolbar_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  cold_ = LoadStrip(instance, IDB_TOOLBAR_COLD);
  hot_ = LoadStrip(instance, IDB_TOOLBAR_HOT);
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(cold_.get()));
  SendMessageA(toolbar_, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hot_.get()));

  std::vector<TBBUTTON> buttons;
  for (const auto& entry : model_.Buttons()) {
    TBBUTTON button{};
    button.iBitmap = entry.button->ImageIndex();
    button.idCommand = entry.command;
    button.fsState = entry.button->Enabled() ? TBSTATE_ENABLED : 0;
    button.fsStyle = BTNS_BUTTON;
    button.iString = reinterpret_cast<INT_PTR>(entry.button->Caption().c_str());
    buttons.push_back(button);
  }
  SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  const DpiScale& scale = DpiScale::Screen();
  SendMessageA(toolbar_, TB_SETBUTTONWIDTH, 0, MAKELPARAM(scale(kButtonWidth), scale(kButtonWidth)));
  KeepButtonSize();
  for (const auto& entry : model_.Buttons()) entry.button->redraw = [this, &entry] { Draw(entry); };
}

int ToolbarView::Place(int width, int height) const {
  const auto count = static_cast<int>(model_.Buttons().size());
  if (!toolbar_ || count == 0) return 0;
  // As wide as the whole buttons that fit: the toolbar wraps a row only
  // where a button's picture would stick out, its caption cut off.
  const int buttonWidth = LOWORD(SendMessageA(toolbar_, TB_GETBUTTONSIZE, 0, 0));
  const int strip = buttonWidth > 0 ? std::max(1, width / buttonWidth) * buttonWidth : width;
  SetWindowPos(toolbar_, nullptr, 0, 0, std::min(width, strip), height, SWP_NOZORDER | SWP_NOACTIVATE);
  KeepButtonSize();  // lays the rows out anew
  RECT first{}, last{};
  SendMessageA(toolbar_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  SendMessageA(toolbar_, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
  return last.bottom - first.bottom;
}

void ToolbarView::Detach() {
  for (const auto& entry : model_.Buttons()) entry.button->redraw = nullptr;
}

void ToolbarView::Draw(const MainToolbar::Entry& entry) const {
  std::string caption = entry.button->Caption();
  TBBUTTONINFOA info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT | TBIF_IMAGE | TBIF_STATE;
  info.pszText = caption.data();
  info.iImage = entry.button->ImageIndex();
  info.fsState = entry.button->Enabled() ? TBSTATE_ENABLED : 0;
  SendMessageA(toolbar_, TB_SETBUTTONINFOA, entry.command, reinterpret_cast<LPARAM>(&info));
  // A new caption makes the toolbar measure its buttons again: keep them designed.
  KeepButtonSize();
}

void ToolbarView::KeepButtonSize() const {
  const DpiScale& scale = DpiScale::Screen();
  SendMessageA(toolbar_, TB_SETBUTTONSIZE, 0, MAKELPARAM(scale(kButtonWidth), scale(kButtonHeight)));
}

const MainToolbar::Entry* ToolbarView::ByCommand(int command) const {
  for (const auto& entry : model_.Buttons()) {
    if (entry.command == command) return &entry;
  }
  return nullptr;
}

bool ToolbarView::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (!toolbar_) return false;
  if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == toolbar_) {
    const auto* entry = ByCommand(LOWORD(wParam));
    if (!entry) return false;
    entry->button->Click();
    result = 0;
    return true;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != toolbar_ || header->code != TBN_HOTITEMCHANGE) return false;
    const auto* hot = reinterpret_cast<const NMTBHOTITEM*>(lParam);
    const auto* entry = (hot->dwFlags & HICF_LEAVING) ? nullptr : ByCommand(hot->idNew);
    showHint_(entry ? entry->button->Hint() : std::string());
    result = 0;  // the hot item may change
    return true;
  }
  return false;
}

}  // namespace vandrel
