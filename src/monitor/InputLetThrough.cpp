#include "monitor/InputLetThrough.h"

#include <algorithm>
#include <utility>

#include "platform/BrowserFrames.h"

namespace vandrel {
namespace {

// Milliseconds from `earlier` to `later` on a clock that wraps.
std::int32_t Since(std::uint32_t earlier, std::uint32_t later) { return static_cast<std::int32_t>(later - earlier); }

}  // namespace

void InputLetThrough::SetWatching(bool on) {
  if (!on) {
    if (watching_) inputs_.StopWatching();
    watching_ = refused_ = lookedBefore_ = false;
    unused_.clear();
    return;
  }
  if (watching_ || refused_) return;
  watching_ = inputs_.Watch();
  refused_ = !watching_;
}

void InputLetThrough::TickStarted() {
  if (!watching_) return;
  // The first look's frames may all have been open before it: none is new.
  firstLook_ = !std::exchange(lookedBefore_, true);
  tickBefore_ = tick_;
  tick_ = inputs_.Now();
  // Too old for any frame that appears from now on.
  std::erase_if(unused_, [this](const Input& input) { return Since(input.at, tick_) >= kOpenedWithin; });
  inputs_.Take(heard_);
  for (const UserInput& input : heard_) {
    if (FromBrowserFrame(input.window)) unused_.push_back({input.at, desktop_.ProcessOf(input.window)});
  }
}

bool InputLetThrough::Claims(WindowHandle frame) {
  if (!watching_ || firstLook_) return false;
  const std::uint32_t process = desktop_.ProcessOf(frame);
  const auto input = std::find_if(unused_.begin(), unused_.end(), [&](const Input& heard) {
    return heard.process == process && Since(heard.at, tick_) >= 0 && Since(heard.at, tickBefore_) < kOpenedWithin;
  });
  if (input == unused_.end()) return false;
  unused_.erase(input);
  return true;
}

bool InputLetThrough::FromBrowserFrame(WindowHandle window) {
  if (!window || !desktop_.IsVisible(window)) return false;
  desktop_.ReadClassName(window, className_);
  return IsBrowserFrameClass(className_.view());
}

}  // namespace vandrel
