#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TraceLook.h"

namespace vandrel {

// How the folder of one of the browser's URL-cache containers (the cache's
// Content.IE5, the cookie folder, the history's History.IE5) stands before
// an erase empties it or hands it to the browser's library.
enum class ContainerIndex {
  Held,        // it holds the container's index, or nothing but index files (and desktop.ini): the library's own
  NotHeld,     // it holds other things and no index: the user's folder, perhaps, never the library's
  Unreadable,  // its index, or what it holds, cannot be read
  NotEntered,  // a delete would not go in (refused, a link, not there): that delete tells why
};

// How many first bytes of a file tell an index.
inline constexpr std::size_t kIndexHeaderBytes = 32;

// The first bytes of an index file of the browser's library: Windows'
// ("Client UrlCache MMF Ver 5.2", also what a wipe leaves) or Wine's
// ("WINE URLCache Ver 0.2012001").
bool StartsAsUrlCacheIndex(std::string_view firstBytes);

// The rule over a listed folder's entries ("." and ".." left out).
// startsAsIndex reads a file's first bytes by its name: whether they are an
// index's, or nothing when the file cannot be read.
ContainerIndex JudgeContainer(const std::vector<LookedEntry>& entries,
                              const std::function<std::optional<bool>(const std::string& name)>& startsAsIndex);

}  // namespace vandrel
