#pragma once
#include "platform/GuidSource.h"

namespace vandrel {

// Identifiers numbered from 1 in their first field, so tests know each one.
class MemoryGuidSource : public GuidSource {
 public:
  Guid NewGuid() override {
    Guid guid{++made, 0xABCD, 0x12EF, {0x8A, 0x0B, 0x00, 0xC0, 0x4F, 0xD9, 0x30, 0xC9}};
    return guid;
  }
  std::uint32_t made = 0;
};

}  // namespace vandrel
