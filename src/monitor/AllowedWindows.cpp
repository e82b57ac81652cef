#include "monitor/AllowedWindows.h"

namespace vandrel {

void AllowedWindows::LookUpSites(DesktopSnapshot& snapshot, bool countedClosesMayCome, int holdTicks) {
  // Whatever the list holds: the closed windows' addresses are kept there
  // too, and a later window may get a gone one's handle.
  addresses_.NextTick();
  addresses_.Take(0);
  addresses_.KeepOnly(snapshot.Handles());
  // Every new page is asked for as soon as it is seen, while the shell
  // still lists its frame: a closed frame is named no more, and Recently
  // closed keeps what the shell named before the close. One the shell did
  // not list yet is asked again a few times; one that names no page yet is
  // asked again only while a site may allow it, and less often once the
  // scan holds it no more.
  const bool sites = list_.HasSites();
  if (!sites && !countedClosesMayCome) return;
  bool wanted = false;
  for (std::size_t i = 0; i < snapshot.size(); ++i) {
    if (!snapshot.IsBrowserFrame(i)) continue;
    const std::string* address = addresses_.AddressOf(snapshot.Handle(i), snapshot.Title(i));
    if (!address || addresses_.NotListedYet(snapshot.Handle(i), snapshot.Title(i)) ||
        (sites && NamesNoPage(*address) && addresses_.DueAgain(snapshot.Handle(i), snapshot.Title(i), holdTicks))) {
      addresses_.Want(snapshot.Handle(i), snapshot.Title(i));
      wanted = true;
    }
  }
  // A read names every frame the shell lists, so the frames that name no
  // page join any read there is: asked together, they cost one read.
  for (std::size_t i = 0; wanted && sites && i < snapshot.size(); ++i) {
    if (!snapshot.IsBrowserFrame(i)) continue;
    const std::string* address = addresses_.AddressOf(snapshot.Handle(i), snapshot.Title(i));
    if (address && NamesNoPage(*address)) addresses_.Want(snapshot.Handle(i), snapshot.Title(i));
  }
  // Waited for only while a site may allow a frame, and only a read of this
  // tick: one still running from an earlier tick is a browser that does
  // not answer. No close is held for an address otherwise.
  if (addresses_.StartReadOfWanted() && sites) addresses_.Take(addresses_.ReadWait());
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
