#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vandrel {

inline constexpr const char* kDeleteFilesRefused = "Error calling DeleteFiles function!";

// Whether a delete in folder with mask must not run. Refused are: a folder
// shorter than 4 characters, one that is not a full path (built on an
// empty base), a mask reaching outside the folder, and, when the mask picks
// everything, any drive or share root and every protected folder (the
// Windows and system folders, Program Files, the user's profile) and every
// ancestor of one. A narrow mask such as "wmplibrary*.*" may still run in
// the Windows folder.
bool RefusesDeleteFiles(std::string_view folder, std::string_view mask,
                        const std::vector<std::string>& protectedFolders);

// The same for removing the folder itself with everything in it.
bool RefusesDeleteTree(std::string_view folder, const std::vector<std::string>& protectedFolders);

}  // namespace vandrel
