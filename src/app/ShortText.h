#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/SystemInfo.h"

namespace vandrel {

inline constexpr const char* kShortenedMark = "...";

// The text as it is when it has at most `length` bytes; otherwise cut so
// that it ends in kShortenedMark within them. The cut never parts the two
// bytes of a character of the code page, and drops the blanks before the mark.
std::string Shortened(std::string_view text, std::size_t length, const LeadByteTable& leadBytes);

}  // namespace vandrel
