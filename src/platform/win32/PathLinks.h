#pragma once
#include <string>

#include "platform/FullPath.h"

namespace vandrel {

// The path in the wide \\?\ form, which has no MAX_PATH limit.
std::wstring WidePathOf(const FullPath& path);

// Whether a folder above the entry (below its drive) is a link: the path
// then leads somewhere else than it names.
bool PassesThroughLink(FullPath path);

// Whether a reparse point of this tag is a link: one that names another
// place (a junction, a mount point, a symbolic link). A tag of 0, as Wine
// lists its links, is taken for one.
constexpr bool NamesAnotherPlace(unsigned long reparseTag) {
  constexpr unsigned long kNameSurrogate = 0x20000000;  // the tag bit IsReparseTagNameSurrogate tests
  return reparseTag == 0 || (reparseTag & kNameSurrogate) != 0;
}

}  // namespace vandrel
