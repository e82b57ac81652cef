#pragma once
#include <string>

#include "blocklist/BlockList.h"
#include "blocklist/TitleSuffix.h"
#include "settings/Settings.h"

namespace vandrel {

// The process-wide state every form shares, owned by the composition root.
struct ProgramState {
  ProgramState(const UpperCaseTable& upper, const TextCollation& collation) : blockList(upper, collation) {}

  Settings settings;
  std::string titleSuffix = kDefaultTitleSuffix;
  BlockList blockList;
};

}  // namespace vandrel
