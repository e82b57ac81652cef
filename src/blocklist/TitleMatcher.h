#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AnsiCodePage.h"

namespace vandrel {

// Finds which block list entries occur in a title part, ignoring case, in
// one walk over the title whatever the number of entries (an Aho-Corasick
// automaton over the upper-cased entries). Built once per change of the list,
// so the scan never upper-cases an entry.
//
// The automaton reads characters of the code page, not bytes: the second
// byte of a character of two is a symbol of its own kind, and so is a lead
// byte that ends a text. So an entry matches only where the title's
// characters begin and end, and a character of two is never folded.
class TitleMatcher {
 public:
  TitleMatcher() = default;
  TitleMatcher(const std::vector<std::string>& entries, const AnsiCodePage& codePage);

  // Fills `matches` (cleared first) with the indices of every entry that
  // occurs in `text`, each once, ascending (the list's order). An empty entry
  // never matches.
  void FindAll(std::string_view text, std::vector<std::uint32_t>& matches) const;

  bool empty() const { return nodes_.size() <= 1; }

 private:
  struct Node {
    std::uint32_t firstEdge = 0, edgeCount = 0;  // into edgeSymbols_/edgeTargets_, sorted by symbol
    std::uint32_t failure = 0;
    std::uint32_t nextOutput = 0;                  // nearest node along the failure chain that ends an entry, 0 if none
    std::uint32_t firstMatch = 0, matchCount = 0;  // into matchIds_
  };
  using Symbol = std::uint16_t;
  // A byte that is a character alone is its upper case; the first byte of a
  // pair is itself; then:
  static constexpr Symbol kSecondOfPair = 0x100;  // + the byte
  static constexpr Symbol kLoneLead = 0x200;      // + the byte: a lead byte that ends the text
  static constexpr std::size_t kSymbolCount = 0x300;
  static constexpr Symbol kLead = 0xFFFF;  // in singles_: the byte begins a pair

  // Calls `visit` with each symbol of `text`, in order.
  template <typename Visit>
  void ForEachSymbol(std::string_view text, Visit&& visit) const;
  std::uint32_t Step(std::uint32_t state, Symbol c) const;
  std::uint32_t Child(std::uint32_t node, Symbol c) const;  // 0 when none

  std::array<Symbol, 256> singles_{};  // by byte: its symbol as a character alone, or kLead
  std::vector<Node> nodes_;
  std::vector<Symbol> edgeSymbols_;
  std::vector<std::uint32_t> edgeTargets_;
  std::vector<std::uint32_t> matchIds_;
  std::array<std::uint32_t, kSymbolCount> rootNext_{};  // the root's transitions, dense
};

}  // namespace vandrel
