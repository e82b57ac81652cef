#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace vandrel::test {

// The text of one panel of a status bar that belongs to another process.
// SB_GETTEXTA writes into the caller's memory, so the text is fetched into a
// buffer allocated inside the owning process and copied back from there.
// Nothing when the process or the window cannot be reached.
std::optional<std::string> ReadRemoteStatusText(HWND statusBar, int part);

// The `size` bytes that `message` (with `wParam`) writes through its lParam
// into a buffer of the window's own process: a RECT, a text.
std::optional<std::string> RemoteReply(HWND window, UINT message, WPARAM wParam, std::size_t size);

}  // namespace vandrel::test
