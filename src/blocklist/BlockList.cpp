#include "blocklist/BlockList.h"

#include <algorithm>
#include <numeric>
#include <unordered_set>

namespace vandrel {

int BlockList::IndexOf(std::string_view text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (codePage_.EqualIgnoringCase(entries_[i], text)) return static_cast<int>(i);
  }
  return -1;
}

std::size_t BlockList::Add(std::string entry) {
  const auto place =
      std::upper_bound(entries_.begin(), entries_.end(), entry,
                       [this](const std::string& a, const std::string& b) { return collation_->Compare(a, b) < 0; });
  const auto index = static_cast<std::size_t>(place - entries_.begin());
  entries_.insert(place, std::move(entry));
  Changed();
  return index;
}

void BlockList::AddAll(std::vector<std::string> entries) {
  if (entries.empty()) return;
  // One key per entry, then one sort; ties keep their order.
  std::vector<std::string> keys;
  keys.reserve(entries.size());
  for (const std::string& entry : entries) keys.push_back(collation_->SortKey(entry));
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });

  std::vector<std::string> sorted;
  sorted.reserve(entries.size());
  for (const std::size_t index : order) sorted.push_back(std::move(entries[index]));

  if (entries_.empty()) {
    entries_ = std::move(sorted);
  } else {
    // std::merge takes the first range's element on a tie: the new entries
    // go after the equal ones already there, as Add puts them.
    std::vector<std::string> merged;
    merged.reserve(entries_.size() + sorted.size());
    std::merge(std::make_move_iterator(entries_.begin()), std::make_move_iterator(entries_.end()),
               std::make_move_iterator(sorted.begin()), std::make_move_iterator(sorted.end()),
               std::back_inserter(merged),
               [this](const std::string& a, const std::string& b) { return collation_->Compare(a, b) < 0; });
    entries_ = std::move(merged);
  }
  Changed();
}

std::size_t BlockList::AddMissing(const std::vector<std::string>& candidates) {
  std::unordered_set<std::string> present;
  present.reserve(entries_.size() + candidates.size());
  for (const std::string& entry : entries_) present.insert(codePage_.UpperCased(entry));
  std::vector<std::string> accepted;
  for (const std::string& candidate : candidates) {
    if (present.insert(codePage_.UpperCased(candidate)).second) accepted.push_back(candidate);
  }
  const std::size_t added = accepted.size();
  AddAll(std::move(accepted));
  return added;
}

void BlockList::Delete(std::size_t index) {
  if (index >= entries_.size()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
}

void BlockList::Assign(std::vector<std::string> entries) {
  entries_.clear();
  AddAll(std::move(entries));
  Changed();
}

const TitleMatcher& BlockList::Matcher() const {
  if (matcherStale_) {
    matcher_ = TitleMatcher(entries_, codePage_);
    matcherStale_ = false;
  }
  return matcher_;
}

}  // namespace vandrel
