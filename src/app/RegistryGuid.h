#pragma once
#include <string>
#include <string_view>

#include "platform/GuidSource.h"

namespace vandrel {

// The registry form of an identifier: 38 characters, braces, upper-case
// hexadecimal in groups of 8-4-4-4-12.
std::string RegistryGuidText(const Guid& guid);

// Whether the text has exactly that form (hexadecimal digits of either case).
bool IsRegistryGuidText(std::string_view text);

}  // namespace vandrel
