#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/MainMenu.h"
#include "app/win32/ChromeHandles.h"

namespace vandrel {

// The real menu bar of the main window, built from the menu model: runs an
// item's click on WM_COMMAND and on its Alt shortcut, redraws an item when
// its model changes, and reports the hint of the highlighted item.
class MenuBarView {
 public:
  MenuBarView(MainMenu& model, std::function<void(const std::string&)> showHint)
      : model_(model), showHint_(std::move(showHint)) {}
  ~MenuBarView() { Detach(); }
  MenuBarView(const MenuBarView&) = delete;
  MenuBarView& operator=(const MenuBarView&) = delete;

  // Builds the menus and gives the bar to the window.
  void Attach(HWND window);
  // Takes the bar back from the window (this object destroys it) and stops
  // the models drawing; the form calls it at WM_DESTROY.
  void Detach();
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  void Draw(const MainMenu::Item& item) const;
  void ShowMenuHint(UINT flags, UINT item, HMENU menu) const;
  static bool AltPressed(LPARAM keyData) { return (keyData & (1 << 29)) != 0; }

  MainMenu& model_;
  std::function<void(const std::string&)> showHint_;
  HWND window_ = nullptr;
  UniqueMenu bar_;
};

}  // namespace vandrel
