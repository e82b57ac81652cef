#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "blocklist/TitleMatcher.h"
#include "platform/AnsiCodePage.h"

namespace vandrel {

// What an always-allowed entry is matched against: a part of a window's
// title (as the block list's entries are), or a site's host name, which also
// covers its subdomains.
enum class AllowedKind { Title, Site };

struct AllowedEntry {
  AllowedKind kind = AllowedKind::Title;
  std::string text;
  bool operator==(const AllowedEntry&) const = default;
};

// The windows the user always allows: the scan closes none of them and the
// window limit does not count them. Entries keep the order they were added
// in; an entry equal to another ignoring case is not added twice.
class AllowedList {
 public:
  explicit AllowedList(const AnsiCodePage& codePage) : codePage_(codePage) {}
  AllowedList(const AllowedList&) = delete;
  AllowedList& operator=(const AllowedList&) = delete;

  const std::vector<AllowedEntry>& Entries() const { return entries_; }
  const AnsiCodePage& CodePage() const { return codePage_; }
  bool empty() const { return entries_.empty(); }
  bool HasSites() const;
  // Changes at every change of the entries.
  std::uint32_t Revision() const { return revision_; }

  // The index of the entry of that kind equal to `text` ignoring case, or -1.
  int IndexOf(AllowedKind kind, std::string_view text) const;
  // False, with the list unchanged, when an equal entry is there already.
  bool Add(AllowedEntry entry);
  // Replaces the entry at `index`; out of range does nothing.
  void Replace(std::size_t index, AllowedEntry entry);
  void Remove(std::size_t index);
  void Assign(std::vector<AllowedEntry> entries);

  // Whether a title entry occurs in `title`, ignoring case.
  bool AllowsTitle(std::string_view title) const;
  // Whether the host of `address` is a site entry or one of its subdomains.
  bool AllowsAddress(std::string_view address) const;

 private:
  static AllowedEntry Normalized(AllowedEntry entry);
  void Changed();

  AnsiCodePage codePage_;
  std::vector<AllowedEntry> entries_;
  TitleMatcher titles_;                         // over the title entries, rebuilt at each change
  mutable std::vector<std::uint32_t> matches_;  // reused: the scan asks for every frame at every tick
  std::uint32_t revision_ = 0;
};

// The host name of an address ("http://user@Mail.Example.com:8080/inbox"
// gives "mail.example.com"), lower-cased; empty when it has none.
std::string HostOf(std::string_view address);

inline constexpr std::size_t kMaxAllowedEntryLength = 254;  // characters of the code page

// An entry as the user typed it, checked: `text` is what would be added (a
// site typed with a scheme or path is cut to its host, and `note` says so);
// `problem` is empty when it may be added.
struct CheckedEntry {
  std::string text;
  std::string problem;
  std::string note;
};
CheckedEntry CheckAllowedEntry(AllowedKind kind, std::string_view typed, const LeadByteTable& leadBytes);

// A title part shorter than this would let almost every window through.
inline constexpr std::size_t kMinAllowedTitleLength = 3;
inline constexpr const char* kAllowedTitleTooShort = "The keyword size should be at least 3 characters!";
inline constexpr const char* kAllowedEntryEmpty = "Please, type a title part or a site to allow.";
inline constexpr const char* kAllowedEntryTooLong = "The entry is too long: at most 254 characters.";
inline constexpr const char* kAllowedSiteInvalid = "This is not a site's name, such as mail.example.com.";
inline constexpr const char* kAllowedSiteCut = "Only the site's name is kept: ";

}  // namespace vandrel
