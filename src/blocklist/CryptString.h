#pragma once
#include <string>
#include <string_view>

namespace vandrel {

// The byte-wise scrambling of the block list's file and of its password:
// every byte XOR-ed with the mask 0xC5 and then inverted. Its own inverse.
inline constexpr unsigned char kCryptMask = 0xC5;

std::string CryptString(std::string_view text);

}  // namespace vandrel
