#include "monitor/LetThrough.h"

#include <algorithm>

namespace vandrel {
namespace {

bool Holds(const std::vector<WindowHandle>& sorted, WindowHandle window) {
  return std::binary_search(sorted.begin(), sorted.end(), window);
}

// Inserts in order; false when it was there already.
bool InsertSorted(std::vector<WindowHandle>& sorted, WindowHandle window) {
  const auto at = std::lower_bound(sorted.begin(), sorted.end(), window);
  if (at != sorted.end() && *at == window) return false;
  sorted.insert(at, window);
  return true;
}

}  // namespace

void LetThrough::BeforeLook(bool watch) {
  if (!inputs_) return;
  inputs_->SetWatching(watch);
  inputs_->TickStarted();
}

void LetThrough::TickStarted(const DesktopSnapshot& snapshot, bool inputsOpen) {
  controlDown_ = keys_.ControlDown();
  seenBefore_.swap(seenNow_);
  seenNow_.assign(snapshot.Handles().begin(), snapshot.Handles().end());
  std::sort(seenNow_.begin(), seenNow_.end());
  const auto gone = [this](WindowHandle window) { return !Holds(seenNow_, window); };
  std::erase_if(letThrough_, gone);
  std::erase_if(openedByUser_, gone);
  if (!inputs_ || !inputsOpen) return;
  // The lowest in the Z-order first: it opened first.
  for (std::size_t i = snapshot.size(); i-- > 0;) {
    const WindowHandle window = snapshot.Handle(i);
    if (snapshot.OfFrameClass(i) && !Holds(seenBefore_, window) && !Holds(openedByUser_, window) &&
        inputs_->Claims(window)) {
      InsertSorted(openedByUser_, window);
    }
  }
}

bool LetThrough::MayClose(WindowHandle window) { return !OpenedByUser(window) && MayCloseListed(window); }

bool LetThrough::OpenedByUser(WindowHandle window) const { return Holds(openedByUser_, window); }

bool LetThrough::MayCloseListed(WindowHandle window) {
  if (Holds(letThrough_, window)) return false;
  // A window that opened after the tick's first look is seen now as well,
  // so that the next tick does not take it for new.
  InsertSorted(seenNow_, window);
  if (!controlDown_ || Holds(seenBefore_, window)) return true;
  InsertSorted(letThrough_, window);
  return false;
}

void LetThrough::Forget() {
  seenBefore_.clear();
  seenNow_.clear();
  letThrough_.clear();
  openedByUser_.clear();
  if (inputs_) inputs_->SetWatching(false);
}

}  // namespace vandrel
