#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/MainToolbar.h"
#include "app/win32/ChromeHandles.h"

namespace vandrel {

// The real toolbar of the main window: flat 98 x 53 buttons with their
// captions under 32 x 32 pictures (cold, and hot under the mouse), wrapped
// into rows as wide as the window. Redraws a button when its model changes,
// clicks the model on WM_COMMAND and reports the hint of the button under
// the mouse.
class ToolbarView {
 public:
  ToolbarView(MainToolbar& model, std::function<void(const std::string&)> showHint)
      : model_(model), showHint_(std::move(showHint)) {}
  ~ToolbarView() { Detach(); }
  ToolbarView(const ToolbarView&) = delete;
  ToolbarView& operator=(const ToolbarView&) = delete;

  void Create(HWND parent, HINSTANCE instance, HFONT font);
  // Places the strip over the client area's top `height` pixels, its
  // buttons wrapped into as many rows as `width` needs; returns the height of
  // the rows below the first.
  int Place(int width, int height) const;
  // The models stop drawing here; the form calls it at WM_DESTROY.
  void Detach();
  bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  void Draw(const MainToolbar::Entry& entry) const;
  // The designed button size at the screen's DPI.
  void KeepButtonSize() const;
  const MainToolbar::Entry* ByCommand(int command) const;

  MainToolbar& model_;
  std::function<void(const std::string&)> showHint_;
  HWND toolbar_ = nullptr;  // a child of the form, destroyed with it
  UniqueImageList cold_, hot_;
};

}  // namespace vandrel
