#pragma once
#include <array>
#include <cstdint>

namespace vandrel {

// A globally unique identifier in its binary layout.
struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};
};

// Makes new identifiers. Throws PlatformError when the system cannot.
class GuidSource {
 public:
  virtual ~GuidSource() = default;
  virtual Guid NewGuid() = 0;
};

}  // namespace vandrel
