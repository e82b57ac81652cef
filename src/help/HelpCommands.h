#pragma once
#include <string>

#include "platform/DocumentOpener.h"
#include "platform/SystemInfo.h"
#include "ui/Prompts.h"

namespace vandrel {

inline constexpr const char* kGoToUrlMessage =
    "If you use Go instead of typing a url\r\nin address field in your browser it will\r\n"
    "not be shown in the dropdown menu\r\nof the address bar in your browser.";
inline constexpr const char* kGoToUrlInitialText = "http://";
// An address no longer than this is taken for the untouched "http://" with
// a slip of the keyboard, and not opened.
inline constexpr std::size_t kShortestAddressLength = 11;
inline constexpr const char* kHelpFileName = "help.chm";

// "Go to URL": asks for an address and hands it, exactly as typed, to the
// shell, hidden and owned by the application's window.
void GoToUrl(Prompts& prompts, DocumentOpener& documents);

// The help file beside the executable: the executable's path less its file
// name (the trailing backslash kept), followed by "help.chm".
std::string HelpFilePath(const std::string& executablePath);

// Opens the help file through the shell, shown normally and owned by nothing.
void OpenHelp(SystemInfo& system, DocumentOpener& documents);

}  // namespace vandrel
