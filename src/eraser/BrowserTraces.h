#pragma once
#include "eraser/EraseTools.h"

namespace vandrel {

inline constexpr const char* kHistoryFolderMissing = "Error occured while trying to empty history files folder!";
inline constexpr const char* kCookieFolderMissing =
    "Error occured while trying to retreive info for cookies index.dat files!";
inline constexpr const char* kCacheFolderMissing = "Error occured while trying to empty cached files!";

// The browser's folders: the index files of the history, the cookie files
// and their index, the cache's subfolders and its index. An index file that
// cannot be opened ends the erase with PlatformError "Cannot open file ...".
void ClearShit(EraseTools& tools);
void ClearCookies(EraseTools& tools);
void ClearCache(EraseTools& tools);

}  // namespace vandrel
