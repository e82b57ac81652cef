#include "monitor/AllowedWindows.h"

namespace vandrel {

void AllowedWindows::LookUpSites(DesktopSnapshot& snapshot) {
  // Whatever the list holds: the closed windows' addresses are kept there
  // too, and a later window may get a gone one's handle.
  addresses_.Take(0);
  addresses_.KeepOnly(snapshot.Handles());
  if (!list_.HasSites()) return;
  for (std::size_t i = 0; i < snapshot.size(); ++i) {
    if (!snapshot.IsBrowserFrame(i)) continue;
    const std::string* address = addresses_.AddressOf(snapshot.Handle(i), snapshot.Title(i));
    if (!address || NamesNoPage(*address)) addresses_.Want(snapshot.Handle(i), snapshot.Title(i));
  }
  // Only a read of this tick is waited for: one still running from an
  // earlier tick is a browser that does not answer.
  if (addresses_.StartReadOfWanted()) addresses_.Take(addresses_.ReadWait());
}

AllowedWindows::Verdict AllowedWindows::Judge(WindowHandle frame, std::string_view title,
                                              std::string_view titlePart) const {
  if (list_.AllowsTitle(titlePart)) return Verdict::Allowed;
  if (!list_.HasSites()) return Verdict::NotAllowed;
  const std::string* address = addresses_.AddressOf(frame, title);
  if (!address || NamesNoPage(*address)) return Verdict::Undecided;
  return list_.AllowsAddress(*address) ? Verdict::Allowed : Verdict::NotAllowed;
}

}  // namespace vandrel
