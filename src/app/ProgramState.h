#pragma once
#include <string>

#include "allowlist/AllowedList.h"
#include "blocklist/BlockList.h"
#include "blocklist/TitleSuffix.h"
#include "settings/Settings.h"

namespace vandrel {

// The process-wide state every form shares, owned by the composition root.
struct ProgramState {
  ProgramState(const UpperCaseTable& upper, const TextCollation& collation) : blockList(upper, collation), allowed(upper) {}

  Settings settings;
  std::string titleSuffix = kDefaultTitleSuffix;
  BlockList blockList;
  // Windows the scan never closes nor counts.
  AllowedList allowed;
};

}  // namespace vandrel
