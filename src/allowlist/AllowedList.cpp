#include "allowlist/AllowedList.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace vandrel {
namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsHostCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         static_cast<unsigned char>(c) >= 0x80;  // a name in the local code page
}

}  // namespace

std::string HostOf(std::string_view address) {
  std::string_view rest = Trimmed(address);
  if (const auto scheme = rest.find("://"); scheme != std::string_view::npos) rest.remove_prefix(scheme + 3);
  rest = rest.substr(0, rest.find_first_of("/?#\\"));
  if (const auto user = rest.rfind('@'); user != std::string_view::npos) rest.remove_prefix(user + 1);
  rest = rest.substr(0, rest.find(':'));
  while (!rest.empty() && rest.back() == '.') rest.remove_suffix(1);  // "example.com." names the same host
  std::string host;
  host.reserve(rest.size());
  for (const char c : rest) host += LowerAscii(c);
  return host;
}

CheckedEntry CheckAllowedEntry(AllowedKind kind, std::string_view typed, const LeadByteTable& leadBytes) {
  CheckedEntry checked;
  const std::string_view text = Trimmed(typed);
  if (text.empty()) {
    checked.problem = kAllowedEntryEmpty;
    return checked;
  }
  if (kind == AllowedKind::Title) {
    checked.text = std::string(typed);  // a title part keeps its spaces, as a block-list keyword does
    if (checked.text.size() < kMinAllowedTitleLength) {
      checked.problem = kAllowedTitleTooShort;
      return checked;
    }
  } else {
    checked.text = HostOf(text);
    const bool valid = !checked.text.empty() && std::all_of(checked.text.begin(), checked.text.end(), IsHostCharacter);
    if (!valid) {
      checked.problem = kAllowedSiteInvalid;
      return checked;
    }
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(), LowerAscii);
    if (lowered != checked.text) checked.note = kAllowedSiteCut + checked.text;
  }
  if (CharacterCount(checked.text, leadBytes) > kMaxAllowedEntryLength) checked.problem = kAllowedEntryTooLong;
  return checked;
}

bool AllowedList::HasSites() const {
  return std::any_of(entries_.begin(), entries_.end(),
                     [](const AllowedEntry& entry) { return entry.kind == AllowedKind::Site; });
}

int AllowedList::IndexOf(AllowedKind kind, std::string_view text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].kind == kind && codePage_.EqualIgnoringCase(entries_[i].text, text)) return static_cast<int>(i);
  }
  return -1;
}

AllowedEntry AllowedList::Normalized(AllowedEntry entry) {
  // A site matches by its host name alone, in lower case.
  if (entry.kind == AllowedKind::Site) entry.text = HostOf(entry.text);
  return entry;
}

bool AllowedList::Add(AllowedEntry entry) {
  entry = Normalized(std::move(entry));
  if (IndexOf(entry.kind, entry.text) >= 0) return false;
  entries_.push_back(std::move(entry));
  Changed();
  return true;
}

void AllowedList::Replace(std::size_t index, AllowedEntry entry) {
  if (index >= entries_.size()) return;
  entries_[index] = Normalized(std::move(entry));
  Changed();
}

void AllowedList::Remove(std::size_t index) {
  if (index >= entries_.size()) return;
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  Changed();
}

void AllowedList::Assign(std::vector<AllowedEntry> entries) {
  entries_.clear();
  for (AllowedEntry& entry : entries) {
    entry = Normalized(std::move(entry));
    if (IndexOf(entry.kind, entry.text) < 0) entries_.push_back(std::move(entry));
  }
  Changed();
}

void AllowedList::Changed() {
  ++revision_;
  std::vector<std::string> titles;
  for (const AllowedEntry& entry : entries_) {
    if (entry.kind == AllowedKind::Title) titles.push_back(entry.text);
  }
  titles_ = TitleMatcher(titles, codePage_);
}

bool AllowedList::AllowsTitle(std::string_view title) const {
  if (titles_.empty()) return false;
  titles_.FindAll(title, matches_);
  return !matches_.empty();
}

bool AllowedList::AllowsAddress(std::string_view address) const {
  const std::string host = HostOf(address);
  if (host.empty()) return false;
  return std::any_of(entries_.begin(), entries_.end(), [&host](const AllowedEntry& entry) {
    if (entry.kind != AllowedKind::Site) return false;
    if (host == entry.text) return true;
    // A subdomain: "news.mail.example.com" for "mail.example.com", not "badexample.com" for "example.com".
    return host.size() > entry.text.size() && host.ends_with(entry.text) &&
           host[host.size() - entry.text.size() - 1] == '.';
  });
}

}  // namespace vandrel
