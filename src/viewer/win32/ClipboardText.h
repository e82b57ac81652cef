#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace vandrel {

// Puts `text` on the clipboard as CF_TEXT, for `owner`; the system makes
// CF_UNICODETEXT and CF_OEMTEXT of it when a program asks. Empty when it
// is there; else what went wrong, for the user. The text is copied once,
// so even tens of megabytes take only a moment.
std::string PutTextOnClipboard(HWND owner, std::string_view text);
// The same as CF_UNICODETEXT, for texts that the ANSI code page cannot hold.
std::string PutTextOnClipboard(HWND owner, std::wstring_view text);

}  // namespace vandrel
