#pragma once
#include <string>
#include <string_view>

namespace vandrel {

// The eraser's paths are UTF-8, read wide where they come from and widened
// again only at the call that uses them: UTF-8 holds every name, which the
// ANSI code page cannot. The delete works on wide paths (no MAX_PATH limit)
// and compares them in UTF-8, which no conversion can make collide.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// For the program's own texts, which are ANSI.
std::string AnsiFromWide(std::wstring_view text);
std::wstring WideFromAnsi(std::string_view text);

}  // namespace vandrel
