#include "blocklist/BlockList.h"

namespace vandrel {

void BlockList::Assign(std::vector<std::string> entries) {
  entries_ = std::move(entries);
  matcherStale_ = true;
}

const TitleMatcher& BlockList::Matcher() const {
  if (matcherStale_) {
    matcher_ = TitleMatcher(entries_, upper_);
    matcherStale_ = false;
  }
  return matcher_;
}

}  // namespace vandrel
