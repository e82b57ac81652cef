#pragma once
#include <windows.h>

#include "platform/win32/Handles.h"

namespace vandrel {

// An icon loaded for one owner (LoadImage without LR_SHARED), destroyed with it.
struct IconTraits {
  using Handle = HICON;
  static Handle Invalid() noexcept { return nullptr; }
  static void Close(Handle icon) noexcept { DestroyIcon(icon); }
};
using UniqueIcon = UniqueResource<IconTraits>;

}  // namespace vandrel
