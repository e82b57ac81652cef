#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SystemInfo.h"

namespace vandrel {

// Finds which block list entries occur in a title part, ignoring case, in
// one walk over the title whatever the number of entries (an Aho-Corasick
// automaton over the upper-cased entries). Built once per change of the list,
// so the scan never upper-cases an entry.
class TitleMatcher {
 public:
  TitleMatcher() = default;
  TitleMatcher(const std::vector<std::string>& entries, const UpperCaseTable& upper);

  // Fills `matches` (cleared first) with the indices of every entry that
  // occurs in `text`, each once, ascending (the list's order). An empty entry
  // never matches.
  void FindAll(std::string_view text, std::vector<std::uint32_t>& matches) const;

  bool empty() const { return nodes_.size() <= 1; }

 private:
  struct Node {
    std::uint32_t firstEdge = 0, edgeCount = 0;  // into edgeBytes_/edgeTargets_, sorted by byte
    std::uint32_t failure = 0;
    std::uint32_t nextOutput = 0;                  // nearest node along the failure chain that ends an entry, 0 if none
    std::uint32_t firstMatch = 0, matchCount = 0;  // into matchIds_
  };
  std::uint32_t Step(std::uint32_t state, unsigned char c) const;
  std::uint32_t Child(std::uint32_t node, unsigned char c) const;  // 0 when none

  UpperCaseTable upper_{};
  std::vector<Node> nodes_;
  std::vector<unsigned char> edgeBytes_;
  std::vector<std::uint32_t> edgeTargets_;
  std::vector<std::uint32_t> matchIds_;
  std::array<std::uint32_t, 256> rootNext_{};  // the root's transitions, dense
};

}  // namespace vandrel
