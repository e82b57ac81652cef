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

void LetThrough::TickStarted(const std::vector<WindowHandle>& visible) {
  controlDown_ = keys_.ControlDown();
  seenBefore_.swap(seenNow_);
  seenNow_.assign(visible.begin(), visible.end());
  std::sort(seenNow_.begin(), seenNow_.end());
  std::erase_if(letThrough_, [this](WindowHandle window) { return !Holds(seenNow_, window); });
}

bool LetThrough::MayClose(WindowHandle window) {
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
}

}  // namespace vandrel
