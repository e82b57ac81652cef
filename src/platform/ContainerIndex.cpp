#include "platform/ContainerIndex.h"

#include "platform/AsciiCase.h"
#include "platform/NameMask.h"

namespace vandrel {

bool StartsAsUrlCacheIndex(std::string_view firstBytes) {
  for (const std::string_view header :
       {std::string_view("Client UrlCache MMF Ver "), std::string_view("WINE URLCache Ver ")}) {
    if (firstBytes.substr(0, header.size()) == header) return true;
  }
  return false;
}

ContainerIndex JudgeContainer(const std::vector<LookedEntry>& entries,
                              const std::function<std::optional<bool>(const std::string& name)>& startsAsIndex) {
  // The index itself tells first: a folder that holds it is the library's.
  for (const LookedEntry& entry : entries) {
    if (entry.kind != LookedEntry::Kind::File || !EqualIgnoringAsciiCase(entry.name, "index.dat")) continue;
    const std::optional<bool> index = startsAsIndex(entry.name);
    if (!index) return ContainerIndex::Unreadable;
    if (*index) return ContainerIndex::Held;
  }
  // Else only index files may be there: a wipe's, say, or none at all.
  for (const LookedEntry& entry : entries) {
    if (entry.kind == LookedEntry::Kind::File && IsDesktopIni(entry.name)) continue;
    if (entry.kind != LookedEntry::Kind::File) return ContainerIndex::NotHeld;
    const std::optional<bool> index = startsAsIndex(entry.name);
    if (!index) return ContainerIndex::Unreadable;
    if (!*index) return ContainerIndex::NotHeld;
  }
  return ContainerIndex::Held;
}

}  // namespace vandrel
