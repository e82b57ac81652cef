#include "platform/win32/PathLinks.h"

#include <windows.h>

#include "platform/win32/WidePath.h"

namespace vandrel {

std::wstring WidePathOf(const FullPath& path) { return WideFromUtf8(ExtendedLengthForm(path)); }

bool PassesThroughLink(FullPath path) {
  while (path.names.size() > 1) {
    path.names.pop_back();
    const DWORD attributes = GetFileAttributesW(WidePathOf(path).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return true;
  }
  return false;
}

}  // namespace vandrel
