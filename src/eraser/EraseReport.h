#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vandrel {

// What became, or would become, of one place an erase step names.
enum class PlaceFate {
  Emptied,       // a folder whose files go
  RemovedLink,   // a link: removed as itself, what it leads to stays
  Wiped,         // an index file overwritten with its empty header
  KeyDeleted,    // a registry key or value
  CacheEntries,  // URL-cache entries, deleted through the browser's library
  ShellEmptied,  // a list the shell empties: the recycle bin, the recent documents
  Stayed,        // left in place: why tells why (in use, a link that could not go ...)
  Refused,       // not touched at all: why tells why
  NotReached,    // not there for the step: it cannot be reached over the network
  LeftToWalk,    // a URL-cache container the library was not called for: the eraser's own walk took its files
  CookiesKept,   // the cookies of the sites the user keeps: place says how many of which sites
  Told,          // a message the step shows: place holds its text
};

// One line of an erase report. The steps' deletes and the URL-cache
// container checks feed them; files and bytes count what went, or would go.
struct ReportEntry {
  std::string step;  // the step's name, as the status bar shows it
  PlaceFate fate = PlaceFate::Emptied;
  std::string place;  // a folder, a file, a key, or a message's text
  std::size_t files = 0;
  std::uint64_t bytes = 0;
  std::string why;
};

// What an erase would do (a preview, which changes nothing) or did.
struct EraseReport {
  enum class Kind { Preview, AfterErase, NoEraseYet };
  Kind kind = Kind::Preview;
  std::vector<ReportEntry> entries;

  void Add(ReportEntry entry) { entries.push_back(std::move(entry)); }
};

inline constexpr const char* kPreviewHeading = "Preview of the erase: nothing has been erased.";
inline constexpr const char* kReportHeading = "What the last erase did:";
inline constexpr const char* kNoEraseYet = "No erase has run yet.";

// 1234567 as "1,234,567".
std::string GroupedNumber(std::uint64_t number);

// The report as the view shows it: a heading, then each step with its
// places in the order they came, one a line ("\r\n" between lines).
std::string ReportText(const EraseReport& report);

}  // namespace vandrel
