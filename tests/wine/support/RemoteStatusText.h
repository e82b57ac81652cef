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

}  // namespace vandrel::test
