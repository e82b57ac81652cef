#pragma once
#include "platform/GuidSource.h"
#include "platform/win32/LateLibrary.h"

namespace vandrel {

// New identifiers from the COM library, which needs no initialisation for
// this; ole32 is loaded at the first identifier.
class Win32GuidSource : public GuidSource {
 public:
  Guid NewGuid() override;

 private:
  LateLibrary ole32_{"ole32.dll"};
};

}  // namespace vandrel
