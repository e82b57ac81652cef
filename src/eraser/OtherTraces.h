#pragma once
#include "eraser/EraseTools.h"

namespace vandrel {

inline constexpr const char* kPasswordsNotErased = "Error occure while trying to erase recent stored passwords!";
inline constexpr const char* kRecentFolderMissing = "Error occured while trying to empty recent files folder!";
inline constexpr const char* kRecentListsNotErased = "Error occure while trying to erase recent files history!";
inline constexpr const char* kTempFolderMissing = "Error occured while trying to erase temporary files folder!";
inline constexpr const char* kShellLibraryMissing = "Failed to load Shell32.dll.";
inline constexpr const char* kTypedUrlsNotErased = "Error occure while trying to erase typed URLs history!";
inline constexpr const char* kFavoritesFolderMissing = "Error occured while trying to erase favorites files folder!";

// The erase steps beside the browser's URL cache and folders. Each tells
// its own problem and leaves the rest of the pass to go on.
void EraseFormPasswords(EraseTools& tools);
void EraseRecentFiles(EraseTools& tools);
void EraseTempFolder(EraseTools& tools);
void EraseRecycleBin(EraseTools& tools);
void EraseTypedUrls(EraseTools& tools);
void EraseFavorites(EraseTools& tools);
void EraseRealPlayer(EraseTools& tools);
void EraseMediaPlayer(EraseTools& tools);

}  // namespace vandrel
