#include "app/win32/MenuBarView.h"

#include <cctype>
#include <string>

namespace vandrel {
namespace {

// The item's text as a menu shows it: the caption, and its shortcut to the right.
std::string MenuText(const MainMenu::Item& item) {
  std::string text = item.button->Caption();
  if (item.altKey) (text += "\tAlt+") += item.altKey;
  return text;
}

}  // namespace

void MenuBarView::Attach(HWND window) {
  window_ = window;
  bar_.reset(CreateMenu());
  if (!bar_) return;
  for (const auto& menu : model_.Menus()) {
    // An appended drop-down belongs to the bar and goes with it.
    HMENU dropDown = CreatePopupMenu();
    for (const auto& item : menu.items) {
      AppendMenuA(dropDown, MF_STRING, item.command, MenuText(item).c_str());
      item.button->redraw = [this, &item] { Draw(item); };
    }
    AppendMenuA(bar_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown), menu.caption);
  }
  SetMenu(window, bar_.get());
}

void MenuBarView::Detach() {
  for (const auto& menu : model_.Menus()) {
    for (const auto& item : menu.items) item.button->redraw = nullptr;
  }
  if (window_ && bar_ && GetMenu(window_) == bar_.get()) SetMenu(window_, nullptr);
  bar_.reset();
}

void MenuBarView::Draw(const MainMenu::Item& item) const {
  ModifyMenuA(bar_.get(), item.command, MF_BYCOMMAND | MF_STRING, item.command, MenuText(item).c_str());
  EnableMenuItem(bar_.get(), item.command, MF_BYCOMMAND | (item.button->Enabled() ? MF_ENABLED : MF_GRAYED));
}

void MenuBarView::ShowMenuHint(UINT flags, UINT item, HMENU menu) const {
  // The menu closed, or the system menu is open: no hint of ours.
  if ((flags == 0xFFFF && !menu) || (flags & MF_SYSMENU)) {
    showHint_("");
  } else if (flags & MF_POPUP) {
    // A drop-down's title: `item` is its position in the bar.
    const auto& menus = model_.Menus();
    showHint_(menu == bar_.get() && item < menus.size() ? menus[item].hint : "");
  } else {
    const auto* found = model_.ByCommand(static_cast<int>(item));
    showHint_(found ? found->button->Hint() : std::string());
  }
}

bool MenuBarView::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      // Menu commands come without a control handle.
      if (lParam != 0) return false;
      const auto* item = model_.ByCommand(LOWORD(wParam));
      if (!item) return false;
      item->button->Click();
      result = 0;
      return true;
    }
    case WM_MENUSELECT:
      ShowMenuHint(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HMENU>(lParam));
      result = 0;
      return true;
    case WM_SYSKEYDOWN: {
      if (!AltPressed(lParam) || wParam > 0xFF) return false;
      const auto* item = model_.ByAltKey(static_cast<char>(wParam));
      if (!item) return false;
      item->button->Click();
      result = 0;
      return true;
    }
    case WM_SYSCHAR:
      // The character of a shortcut already run: no menu search, no beep.
      if (!AltPressed(lParam) || wParam > 0xFF) return false;
      if (!model_.ByAltKey(static_cast<char>(std::toupper(static_cast<int>(wParam))))) return false;
      result = 0;
      return true;
    default: return false;
  }
}

}  // namespace vandrel
