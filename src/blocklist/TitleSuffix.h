#pragma once
#include <string>
#include <string_view>

#include "platform/SystemInfo.h"

namespace vandrel {

inline constexpr const char* kDefaultTitleSuffix = "- Microsoft Internet Explorer";

// The suffix the browser puts after the page title, from its configured
// window title ("- " + that title) or the default.
std::string TitleSuffixFor(const std::string* configuredWindowTitle);

// Where the suffix first stands in the title as whole characters of it, or npos.
std::size_t TitleSuffixAt(std::string_view title, std::string_view suffix, const LeadByteTable& leadBytes);

// The page title inside a browser frame's title: the text before the first
// occurrence of the suffix, less the one character (the blank) right before
// it. Empty when the title lacks the suffix or the suffix starts at the
// first or second character.
std::string_view TitlePart(std::string_view title, std::string_view suffix, const LeadByteTable& leadBytes);

}  // namespace vandrel
