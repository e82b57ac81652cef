#pragma once
#include <functional>
#include <string>

#include "eraser/CookieSites.h"
#include "eraser/EraseChoices.h"
#include "eraser/EraseReport.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/TraceLook.h"

namespace vandrel {

// What an erase of the chosen traces would do, found by running the steps
// against stand-ins that change nothing: folders are looked at, keys and
// values only read, the URL cache and the shell's lists never called, the
// steps' messages reported instead of shown. Nothing here can delete or
// write: the stand-ins hold no object that could.
// pump runs between the entries of its walks (see WalkFolder).
// cookieEntries reads the URL cache's cookie entries, for the sites kept.
EraseReport PreviewErase(const EraseSelection& chosen, Registry& registry, Shell& shell, TraceLook& look,
                         const std::function<void()>& pump = {}, const CookieEntriesRead& cookieEntries = {});

// The report's words for how a walked folder stands.
inline constexpr const char* kWhyNotFullPath = "names no drive: never erased";
inline constexpr const char* kWhyRoot = "a drive's root";
inline constexpr const char* kWhyProtected = "a protected folder, or one that holds one";
inline constexpr const char* kWhyUnreadable = "cannot be read";
inline constexpr const char* kWhyUnreachable = "cannot be reached over the network";
inline constexpr const char* kWhyFolderIsLink = "the folder is a link: what it leads to is left alone";
inline constexpr const char* kWhyLinkRemoved = "removed as a link: what it leads to stays";

// Why the erase refuses a folder, in the report's words.
const char* RefusalWhy(const std::string& folder);
// Why a folder deeper than the walks go stays.
std::string TooDeepWhy();

}  // namespace vandrel
