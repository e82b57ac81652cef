#pragma once
#include <string>

#include "allowlist/AllowedList.h"
#include "blocklist/BlockList.h"
#include "blocklist/TitleSuffix.h"
#include "settings/Settings.h"

namespace vandrel {

// The process-wide state every form shares, owned by the composition root.
struct ProgramState {
  ProgramState(const UpperCaseTable& upper, const LeadByteTable& leadBytes, const TextCollation& collation)
      : blockList(AnsiCodePage(upper, leadBytes), collation),
        allowed(AnsiCodePage(upper, leadBytes)),
        leadBytes(leadBytes) {}

  Settings settings;
  std::string titleSuffix = kDefaultTitleSuffix;
  BlockList blockList;
  // Windows the scan never closes nor counts.
  AllowedList allowed;
  // Where a window title may be cut.
  LeadByteTable leadBytes;
};

}  // namespace vandrel
