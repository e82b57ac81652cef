#pragma once
#include <string>

namespace vandrel {

// Registry places the program shares with Windows and the browser: the
// browser's main settings (its window title, its start page) and the start
// with Windows, which both the options and the registration runs write.
inline constexpr const char* kBrowserMainKeyPath = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kWindowTitleValue = "Window Title";
inline constexpr const char* kRunKeyPath = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Vandrel";

// The Run value for the program at `executablePath`: it starts minimised.
inline std::string RunValueFor(const std::string& executablePath) { return "\"" + executablePath + "\" Minimize"; }

}  // namespace vandrel
