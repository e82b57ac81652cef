#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/Handles.h"

namespace vandrel {

// The toolbar's image lists (menus, icons and GDI objects have their owners
// in platform/win32/Handles.h).
struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle list) noexcept { ImageList_Destroy(list); }
};

using UniqueImageList = UniqueResource<ImageListTraits>;

}  // namespace vandrel
