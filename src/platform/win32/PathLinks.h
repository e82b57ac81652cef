#pragma once
#include <string>

#include "platform/FullPath.h"

namespace vandrel {

// The path in the wide \\?\ form, which has no MAX_PATH limit.
std::wstring WidePathOf(const FullPath& path);

// Whether a folder above the entry (below its drive) is a link: the path
// then leads somewhere else than it names.
bool PassesThroughLink(FullPath path);

}  // namespace vandrel
