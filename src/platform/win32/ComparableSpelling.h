#pragma once
#include <string>

namespace vandrel {

// A folder in the one spelling in which the erase compares it with the
// protected folders: from the wide text, its 8.3 names expanded to the long
// ones (when the folder is there to ask), upper-cased as the file system
// compares names (also beyond ASCII), in UTF-8. "c:\progra~1" and
// "C:\Program Files" give the same; so do "C:\Documents and Settings\Jörg"
// from the shell and the same folder from an ANSI registry value.
std::string ComparableSpelling(const std::wstring& path);

}  // namespace vandrel
