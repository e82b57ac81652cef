#pragma once
#include <string>

#include "platform/TraceFiles.h"

namespace vandrel {

// An index file as the browser's library keeps it: the header, then its
// records.
inline std::string LiveIndex(const std::string& records) { return std::string(kEmptyIndexHeader) + records; }

}  // namespace vandrel
