#pragma once
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "allowlist/AllowedList.h"
#include "monitor/DesktopSnapshot.h"
#include "platform/BrowserAddresses.h"

namespace vandrel {

// Which windows of a tick the always-allowed list keeps open. Titles are
// matched at every tick; a frame's address is asked of the shell once, when
// the frame is first seen while the list holds sites, since each question
// goes to another process.
class AllowedWindows {
 public:
  AllowedWindows(const AllowedList& list, BrowserAddresses& addresses) : list_(list), addresses_(addresses) {}

  // Reads the addresses of the snapshot's frames not seen before. Asking
  // the shell may run messages, and so a tick started among them.
  void LookUpSites(DesktopSnapshot& snapshot);

  // A browser frame whose title part or site is allowed.
  bool AllowsFrame(WindowHandle frame, std::string_view titlePart) const;
  // Any window whose title holds an allowed title part.
  bool AllowsTitle(std::string_view title) const { return list_.AllowsTitle(title); }

 private:
  const AllowedList& list_;
  BrowserAddresses& addresses_;
  std::unordered_map<WindowHandle, bool> siteAllowed_;  // by frame, for the list's revision below
  std::uint32_t revision_ = 0;
  std::vector<WindowHandle> unseen_;  // reused, so a warm tick allocates nothing
};

}  // namespace vandrel
