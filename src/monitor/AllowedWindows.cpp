#include "monitor/AllowedWindows.h"

#include <algorithm>

namespace vandrel {

void AllowedWindows::LookUpSites(DesktopSnapshot& snapshot) {
  if (revision_ != list_.Revision() || !list_.HasSites()) {
    siteAllowed_.clear();
    revision_ = list_.Revision();
    if (!list_.HasSites()) return;
  }
  // Frames that have gone are forgotten: a new window may get their handle.
  const auto& handles = snapshot.Handles();
  std::erase_if(siteAllowed_, [&handles](const auto& known) {
    return std::find(handles.begin(), handles.end(), known.first) == handles.end();
  });
  // Listed first: the snapshot may be taken again while the shell answers.
  unseen_.clear();
  for (std::size_t i = 0; i < snapshot.size(); ++i) {
    if (snapshot.IsBrowserFrame(i) && !siteAllowed_.contains(snapshot.Handle(i))) unseen_.push_back(snapshot.Handle(i));
  }
  if (unseen_.empty()) return;
  // Copied: a tick started while the shell answers reuses the list.
  const std::vector<WindowHandle> frames = unseen_;
  const std::uint32_t revision = revision_;
  for (const WindowHandle frame : frames) {
    const bool allowed = list_.AllowsAddress(addresses_.AddressOf(frame));
    if (revision != list_.Revision()) return;  // the list changed meanwhile: the next tick asks again
    siteAllowed_[frame] = allowed;
  }
}

bool AllowedWindows::AllowsFrame(WindowHandle frame, std::string_view titlePart) const {
  if (list_.AllowsTitle(titlePart)) return true;
  const auto known = siteAllowed_.find(frame);
  return known != siteAllowed_.end() && known->second;
}

}  // namespace vandrel
