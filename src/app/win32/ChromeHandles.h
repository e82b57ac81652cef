#pragma once
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/Handles.h"

namespace vandrel {

// Owners of the main window's menu bar, image lists, font and bitmaps.
struct MenuTraits {
  using Handle = HMENU;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle menu) noexcept { DestroyMenu(menu); }
};

struct ImageListTraits {
  using Handle = HIMAGELIST;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle list) noexcept { ImageList_Destroy(list); }
};

struct GdiObjectTraits {
  using Handle = HGDIOBJ;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle object) noexcept { DeleteObject(object); }
};

using UniqueMenu = UniqueResource<MenuTraits>;
using UniqueImageList = UniqueResource<ImageListTraits>;
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;

}  // namespace vandrel
