#include "platform/win32/ComparableSpelling.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WidePath.h"

namespace vandrel {

std::string ComparableSpelling(const std::wstring& path) {
  std::wstring spelling = path;
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  for (;;) {
    const DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) break;  // not there: as it is spelled
    if (length < buffer.size()) {
      spelling.assign(buffer.data(), length);
      break;
    }
    buffer.resize(length + 1);
  }
  if (!spelling.empty()) CharUpperBuffW(spelling.data(), static_cast<DWORD>(spelling.size()));
  return Utf8FromWide(spelling);
}

}  // namespace vandrel
