#pragma once
#include <optional>
#include <string>

#include "platform/ContainerIndex.h"

namespace vandrel {

// Whether the folder at path is a URL-cache container of the browser's
// library (JudgeContainer), read only: its entries listed, the first bytes
// of its files read. The caller has judged the folder itself.
ContainerIndex ReadContainerIndex(const std::wstring& folder);

// The file's first bytes are an index's; nothing when it cannot be opened
// to be read.
std::optional<bool> ReadsAsUrlCacheIndex(const std::wstring& file);

}  // namespace vandrel
