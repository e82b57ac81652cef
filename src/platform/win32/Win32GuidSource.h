#pragma once
#include "platform/GuidSource.h"

namespace vandrel {

// New identifiers from the COM library, which needs no initialisation for this.
class Win32GuidSource : public GuidSource {
 public:
  Guid NewGuid() override;
};

}  // namespace vandrel
