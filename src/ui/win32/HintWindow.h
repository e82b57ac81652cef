#pragma once
#include <windows.h>

#include <string>

#include "platform/win32/Handles.h"

namespace vandrel {

// A window this one made apart from its children (the tooltip).
struct OwnedWindowTraits {
  using Handle = HWND;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle window) noexcept {
    if (IsWindow(window)) DestroyWindow(window);
  }
};

// The tooltip that shows a form's hints when the mouse rests on a control.
// A form works without it: when the tooltip cannot be made, Add does nothing.
class HintWindow {
 public:
  // Made once the form exists; `form` owns the tooltip.
  void Create(HWND form);
  // `control` shows `hint` (copied); an empty hint adds nothing.
  void Add(HWND control, const std::string& hint);
  void Destroy() { tooltip_.reset(); }

 private:
  UniqueResource<OwnedWindowTraits> tooltip_;
};

}  // namespace vandrel
