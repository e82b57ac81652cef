#include "TrayIcon.h"

#include "WaitUntil.h"

namespace vandrel::test {
namespace {
constexpr UINT kIconCallback = WM_APP + 1;
constexpr UINT kIconId = 1;
}  // namespace

HWND VisibleMenu() {
  const HWND menu = FindWindowA("#32768", nullptr);
  return menu && IsWindowVisible(menu) ? menu : nullptr;
}

HWND RightClickIcon(HWND owner) {
  PostMessageA(owner, kIconCallback, kIconId, WM_RBUTTONDOWN);
  PostMessageA(owner, kIconCallback, kIconId, WM_RBUTTONUP);
  HWND menu = nullptr;
  WaitUntil([&] { return (menu = VisibleMenu()) != nullptr; }, 5000);
  return menu;
}

bool ChooseFromMenu(HWND menu, std::initializer_list<WPARAM> keys) {
  if (!menu) return false;
  for (const WPARAM key : keys) PostMessageA(menu, WM_KEYDOWN, key, 0);
  PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
  return WaitUntil([] { return VisibleMenu() == nullptr; }, 5000);
}

}  // namespace vandrel::test
