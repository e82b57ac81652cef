#include "blocklist/TitleMatcher.h"

#include <algorithm>
#include <map>
#include <queue>

namespace vandrel {

template <typename Visit>
void TitleMatcher::ForEachSymbol(std::string_view text, Visit&& visit) const {
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto byte = static_cast<unsigned char>(text[at]);
    const Symbol single = singles_[byte];
    if (single != kLead) {
      visit(single);
    } else if (at + 1 < text.size()) {
      visit(Symbol{byte});
      visit(static_cast<Symbol>(kSecondOfPair + static_cast<unsigned char>(text[++at])));
    } else {
      visit(static_cast<Symbol>(kLoneLead + byte));
    }
  }
}

TitleMatcher::TitleMatcher(const std::vector<std::string>& entries, const AnsiCodePage& codePage) {
  for (std::size_t byte = 0; byte < singles_.size(); ++byte) {
    const auto b = static_cast<unsigned char>(byte);
    singles_[byte] = codePage.IsLead(b) ? kLead : codePage.UpperOfSingle(b);
  }
  // Build a plain trie first, then lay it out flat with sorted edges.
  struct BuildNode {
    std::map<Symbol, std::uint32_t> children;
    std::vector<std::uint32_t> ids;
  };
  std::vector<BuildNode> trie(1);
  for (std::uint32_t id = 0; id < entries.size(); ++id) {
    if (entries[id].empty()) continue;
    std::uint32_t node = 0;
    ForEachSymbol(entries[id], [&](Symbol c) {
      auto found = trie[node].children.find(c);
      if (found == trie[node].children.end()) {
        const auto child = static_cast<std::uint32_t>(trie.size());
        trie[node].children.emplace(c, child);
        trie.emplace_back();
        node = child;
      } else {
        node = found->second;
      }
    });
    trie[node].ids.push_back(id);
  }

  nodes_.resize(trie.size());
  for (std::uint32_t n = 0; n < trie.size(); ++n) {
    Node& node = nodes_[n];
    node.firstEdge = static_cast<std::uint32_t>(edgeSymbols_.size());
    node.edgeCount = static_cast<std::uint32_t>(trie[n].children.size());
    for (const auto& [c, child] : trie[n].children) {
      edgeSymbols_.push_back(c);
      edgeTargets_.push_back(child);
    }
    node.firstMatch = static_cast<std::uint32_t>(matchIds_.size());
    node.matchCount = static_cast<std::uint32_t>(trie[n].ids.size());
    matchIds_.insert(matchIds_.end(), trie[n].ids.begin(), trie[n].ids.end());
  }
  for (const auto& [c, child] : trie[0].children) rootNext_[c] = child;

  // Failure links in breadth-first order, so a node's failure is done before it.
  std::queue<std::uint32_t> pending;
  for (const auto& [c, child] : trie[0].children) pending.push(child);
  while (!pending.empty()) {
    const std::uint32_t n = pending.front();
    pending.pop();
    for (const auto& [c, child] : trie[n].children) {
      const std::uint32_t failure = Step(nodes_[n].failure, c);
      nodes_[child].failure = failure;
      nodes_[child].nextOutput = nodes_[failure].matchCount ? failure : nodes_[failure].nextOutput;
      pending.push(child);
    }
  }
}

std::uint32_t TitleMatcher::Child(std::uint32_t node, Symbol c) const {
  const Node& n = nodes_[node];
  const auto first = edgeSymbols_.begin() + n.firstEdge;
  const auto last = first + n.edgeCount;
  const auto found = std::lower_bound(first, last, c);
  return (found != last && *found == c) ? edgeTargets_[found - edgeSymbols_.begin()] : 0;
}

std::uint32_t TitleMatcher::Step(std::uint32_t state, Symbol c) const {
  while (state != 0) {
    if (const std::uint32_t next = Child(state, c)) return next;
    state = nodes_[state].failure;
  }
  return rootNext_[c];
}

void TitleMatcher::FindAll(std::string_view text, std::vector<std::uint32_t>& matches) const {
  matches.clear();
  if (empty()) return;
  std::uint32_t state = 0;
  ForEachSymbol(text, [&](Symbol c) {
    state = Step(state, c);
    for (std::uint32_t out = nodes_[state].matchCount ? state : nodes_[state].nextOutput; out != 0;
         out = nodes_[out].nextOutput) {
      const Node& node = nodes_[out];
      matches.insert(matches.end(), matchIds_.begin() + node.firstMatch,
                     matchIds_.begin() + node.firstMatch + node.matchCount);
    }
  });
  std::sort(matches.begin(), matches.end());
  matches.erase(std::unique(matches.begin(), matches.end()), matches.end());
}

}  // namespace vandrel
