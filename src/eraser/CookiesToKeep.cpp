#include "eraser/CookiesToKeep.h"

#include <algorithm>

#include "platform/AsciiCase.h"
#include "settings/SettingsKey.h"

namespace vandrel {

namespace {

constexpr std::string_view kCookiePrefix = "Cookie:";
constexpr std::size_t kMaxHostLength = 253;
constexpr std::size_t kMaxLabelLength = 63;

bool IsLabelCharacter(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'; }

// Letters, digits, '-' and '_' between the dots, no label empty or longer
// than a name's label may be, none starting or ending with '-'.
bool IsHostName(std::string_view host) {
  if (host.empty() || host.size() > kMaxHostLength) return false;
  std::size_t start = 0;
  while (start <= host.size()) {
    const std::size_t dot = std::min(host.find('.', start), host.size());
    const std::string_view label = host.substr(start, dot - start);
    if (label.empty() || label.size() > kMaxLabelLength || label.front() == '-' || label.back() == '-') return false;
    if (!std::all_of(label.begin(), label.end(), IsLabelCharacter)) return false;
    start = dot + 1;
  }
  return true;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
  return lower;
}

}  // namespace

KeptSiteCheck CheckKeptSite(std::string_view typed) {
  if (typed.empty()) return {{}, kKeptSiteEmpty};
  if (std::any_of(typed.begin(), typed.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; }))
    return {{}, kKeptSiteBlanks};
  if (typed.find(':') != std::string_view::npos) return {{}, kKeptSiteScheme};
  if (typed.find_first_of("/\\?#") != std::string_view::npos) return {{}, kKeptSitePath};
  std::string host = Lower(typed.front() == '.' ? typed.substr(1) : typed);
  if (!IsHostName(host)) return {{}, kKeptSiteNoHost};
  return {std::move(host), {}};
}

CookiesToKeep CookiesToKeep::FromStored(std::string_view text) {
  CookiesToKeep kept;
  if (text.empty()) return kept;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t bar = std::min(text.find('|', start), text.size());
    const std::string_view entry = text.substr(start, bar - start);
    KeptSiteCheck check = CheckKeptSite(entry);
    if (!check.refusal.empty()) {
      std::string named = "\"";
      named.append(entry).append("\": ").append(check.refusal);
      kept.leftOut_.push_back(std::move(named));
    } else if (std::find(kept.sites_.begin(), kept.sites_.end(), check.host) == kept.sites_.end()) {
      kept.sites_.push_back(std::move(check.host));
    }
    start = bar + 1;
  }
  return kept;
}

CookiesToKeep CookiesToKeep::Unreadable(std::string why) {
  CookiesToKeep kept;
  kept.leftOut_.push_back(std::move(why));
  return kept;
}

std::string CookiesToKeep::SiteOf(std::string_view host) const {
  if (host.empty()) return {};
  const std::string lower = Lower(host.front() == '.' ? host.substr(1) : host);
  for (const std::string& site : sites_) {
    // The site itself, or a host below it: a whole label before the site.
    if (lower == site ||
        (lower.size() > site.size() && lower.ends_with(site) && lower[lower.size() - site.size() - 1] == '.')) {
      return site;
    }
  }
  return {};
}

std::string CookiesToKeep::CookieHost(std::string_view sourceUrl) {
  if (!sourceUrl.starts_with(kCookiePrefix)) return {};
  std::string_view rest = sourceUrl.substr(kCookiePrefix.size());
  rest = rest.substr(0, rest.find('/'));
  // The user's name comes before the last '@': a host has none.
  const std::size_t at = rest.rfind('@');
  return std::string(at == std::string_view::npos ? std::string_view{} : rest.substr(at + 1));
}

std::string KeptCookiesText(const CookiesToKeep& sites, const std::vector<std::string>& urls) {
  std::vector<std::pair<std::string, std::size_t>> counts;
  for (const std::string& site : sites.Sites()) counts.emplace_back(site, 0);
  for (const std::string& url : urls) {
    const std::string site = sites.SiteOf(CookiesToKeep::CookieHost(url));
    for (auto& [name, count] : counts) count += name == site ? 1 : 0;
  }
  std::string named;
  std::size_t withCookies = 0;
  for (const auto& [name, count] : counts) {
    if (count == 0) continue;
    ++withCookies;
    named += (named.empty() ? "" : ", ") + name + " (" + std::to_string(count) + ")";
  }
  const auto plural = [](std::size_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
  };
  if (withCookies == 0) {
    std::string all;
    for (const std::string& site : sites.Sites()) all += (all.empty() ? "" : ", ") + site;
    return "no cookie: none of the sites kept has one (" + all + ")";
  }
  return plural(urls.size(), "cookie", "cookies") + " of " + plural(withCookies, "site", "sites") + ": " + named;
}

CookiesToKeep ReadCookiesToKeep(Registry& registry) {
  const auto value = registry.ReadValue(RootKey::CurrentUser, kSettingsKeyPath, kCookiesToKeepValue);
  if (!value) return {};
  if (value->kind != ValueKind::String) return CookiesToKeep::Unreadable(kKeptSitesNotText);
  return CookiesToKeep::FromStored(value->text);
}

void StoreCookiesToKeep(Registry& registry, const std::vector<std::string>& sites) {
  std::vector<std::string> once;
  std::string text;
  for (const std::string& site : sites) {
    if (std::find(once.begin(), once.end(), site) != once.end()) continue;
    once.push_back(site);
    text += (text.empty() ? "" : "|") + site;
  }
  SettingsKey(registry).WriteString(kCookiesToKeepValue, text);
}

}  // namespace vandrel
