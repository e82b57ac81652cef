#include "platform/win32/Win32GuidSource.h"

#include <windows.h>

#include <algorithm>

#include "platform/PlatformError.h"

namespace vandrel {

Guid Win32GuidSource::NewGuid() {
  GUID made{};
  // It fails only when the system has no source of randomness left to give.
  using CreateGuidFunction = HRESULT(WINAPI*)(GUID*);
  const auto create = ole32_.Find<CreateGuidFunction>("CoCreateGuid");
  if (!create || FAILED(create(&made))) throw PlatformError("Cannot create a new identifier.");
  Guid guid{made.Data1, made.Data2, made.Data3, {}};
  std::copy(std::begin(made.Data4), std::end(made.Data4), guid.data4.begin());
  return guid;
}

}  // namespace vandrel
