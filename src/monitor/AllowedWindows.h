#pragma once
#include <string_view>

#include "allowlist/AllowedList.h"
#include "monitor/DesktopSnapshot.h"
#include "monitor/FrameAddresses.h"

namespace vandrel {

// Which windows of a tick the always-allowed list keeps open. Titles are
// matched at every tick. While the list holds sites, a frame's site is
// judged by the page it shows now: its address is asked again whenever its
// title changes (a new page changes it) and while it names no page yet.
class AllowedWindows {
 public:
  AllowedWindows(const AllowedList& list, FrameAddresses& addresses) : list_(list), addresses_(addresses) {}

  // Before the passes: forgets the addresses of the windows gone, then asks
  // for the pages not asked yet, while the limit or the block list may
  // close a frame (Recently closed keeps its address) or a site may allow
  // one. Only then does it wait for them, at most kAddressWait (the run's
  // first read kFirstAddressWait); a frame whose answer is late is
  // undecided until it comes. A frame that names no page is asked at every
  // tick for `holdTicks` reads, the ticks the scan holds it, then less often.
  void LookUpSites(DesktopSnapshot& snapshot, bool countedClosesMayCome, int holdTicks);

  // Whether a browser frame showing `title` is allowed by its title part or
  // its site. Undecided while the list holds sites, the title allows nothing
  // and no address naming a page has been read for this title: its page
  // may still be one of an allowed site.
  enum class Verdict : signed char { NotAllowed, Allowed, Undecided };
  Verdict Judge(WindowHandle frame, std::string_view title, std::string_view titlePart) const;
  // Whether a frame can be undecided at all.
  bool HasSites() const { return list_.HasSites(); }
  // Any window whose title part holds an allowed title part.
  bool AllowsTitle(std::string_view titlePart) const { return list_.AllowsTitle(titlePart); }

 private:
  const AllowedList& list_;
  FrameAddresses& addresses_;
};

}  // namespace vandrel
