#include "monitor/FrameAddresses.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/BrowserFrames.h"

namespace vandrel {

bool NamesNoPage(std::string_view address) { return address.empty() || EqualIgnoringAsciiCase(address, kBlankPage); }

void FrameAddresses::Want(WindowHandle frame, std::string_view title) {
  // The read that runs asks for it already.
  if (const auto asked = asked_.find(frame); asked != asked_.end() && asked->second == title) return;
  auto [wanted, added] = wanted_.try_emplace(frame);
  if (added || wanted->second != title) wanted->second.assign(title);
}

bool FrameAddresses::StartReadOfWanted() {
  if (reading_ || wanted_.empty()) return false;
  asked_.swap(wanted_);
  wanted_.clear();
  reading_ = true;
  shell_.StartReading();
  return true;
}

void FrameAddresses::Take(std::uint32_t milliseconds) {
  if (!reading_ || !shell_.TakeAnswer(answer_, milliseconds)) return;
  reading_ = false;
  answered_ = true;
  for (auto& [frame, title] : asked_) {
    const auto found =
        std::find_if(answer_.begin(), answer_.end(), [frame](const FrameAddress& read) { return read.frame == frame; });
    Known& known = known_[frame];
    const bool listed = found != answer_.end();
    const bool sameTitle = known.title == title;
    known.unlistedReads = listed ? 0 : sameTitle ? known.unlistedReads + 1 : 1;
    known.noPageReads = listed && !NamesNoPage(found->address) ? 0 : sameTitle ? known.noPageReads + 1 : 1;
    known.readAt = ticks_;
    known.title = std::move(title);
    known.address = listed ? found->address : std::string();
    if (onRead) onRead(frame, known.title, known.address);
  }
  asked_.clear();
}

const std::string* FrameAddresses::AddressOf(WindowHandle frame, std::string_view title) const {
  const auto known = known_.find(frame);
  return known != known_.end() && known->second.title == title ? &known->second.address : nullptr;
}

bool FrameAddresses::NotListedYet(WindowHandle frame, std::string_view title) const {
  const auto known = known_.find(frame);
  return known != known_.end() && known->second.title == title && known->second.unlistedReads > 0 &&
         known->second.unlistedReads < kReadsBeforeUnlisted;
}

bool FrameAddresses::DueAgain(WindowHandle frame, std::string_view title, int everyTick) const {
  const auto known = known_.find(frame);
  if (known == known_.end() || known->second.title != title) return true;
  const int beyond = known->second.noPageReads - std::max(everyTick, 0);
  if (beyond <= 0) return true;
  const long long wait = std::min(1LL << std::min(beyond, 5), static_cast<long long>(kMostTicksBetweenAsks));
  return ticks_ - known->second.readAt >= wait;
}

bool FrameAddresses::Asking(WindowHandle frame, std::string_view title) const {
  const auto asked = asked_.find(frame);
  if (asked != asked_.end() && asked->second == title) return true;
  const auto wanted = wanted_.find(frame);
  return wanted != wanted_.end() && wanted->second == title;
}

void FrameAddresses::KeepOnly(const std::vector<WindowHandle>& open) {
  // The wanted ones too: while a read hangs, the frames waiting for the
  // next are the ones that live.
  const auto gone = [&open](const auto& frame) {
    return std::find(open.begin(), open.end(), frame.first) == open.end();
  };
  std::erase_if(known_, gone);
  std::erase_if(wanted_, gone);
}

}  // namespace vandrel
