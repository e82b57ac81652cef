#pragma once
#include <windows.h>

#include "ui/win32/Window.h"

namespace vandrel {

// One page of a tab control: a plain child window over the tab's display
// area that holds the page's controls. It hands their notifications to the
// form, so the form's binder sees them as its own, and lets dialog keys
// (Tab, mnemonics) reach into it.
class PageWindow : public Window {
 public:
  void Create(HINSTANCE instance, HWND form, const RECT& area);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace vandrel
