#pragma once
#include <string>
#include <string_view>

namespace vandrel {

// The program's paths are ANSI; the delete works on wide paths (no MAX_PATH
// limit) and compares them in UTF-8, which no conversion can make collide.
std::wstring WideFromAnsi(std::string_view text);
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);
// For the program's own texts, which are ANSI.
std::string AnsiFromWide(std::wstring_view text);

}  // namespace vandrel
