#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace vandrel {

// The settings value that names the sites whose cookies every erase keeps:
// host names separated by '|'; empty or missing keeps nothing.
inline constexpr const char* kCookiesToKeepValue = "CookiesToKeep";

// A site typed or stored, checked: the host it keeps (lower case, no
// leading dot), or, when refused, why, in the user's words.
struct KeptSiteCheck {
  std::string host;
  std::string refusal;
};
KeptSiteCheck CheckKeptSite(std::string_view typed);

// The sites whose cookies an erase keeps. A site keeps the cookies of its
// host and of every host below it: "example.com" keeps www.example.com,
// never notexample.com or example.com.evil.test.
class CookiesToKeep {
 public:
  CookiesToKeep() = default;
  // The stored text; an entry that is no site is left out and named, with
  // why, in LeftOut.
  static CookiesToKeep FromStored(std::string_view text);
  // A stored value that cannot be read as a list keeps nothing, and says why.
  static CookiesToKeep Unreadable(std::string why);

  bool Empty() const { return sites_.empty(); }
  const std::vector<std::string>& Sites() const { return sites_; }
  const std::vector<std::string>& LeftOut() const { return leftOut_; }
  // The site that keeps this host's cookies; empty when none does.
  std::string SiteOf(std::string_view host) const;
  // A cookie entry of the URL cache ("Cookie:user@host/path") that a site
  // keeps; any other entry is not.
  bool KeepsEntry(std::string_view sourceUrl) const { return !SiteOf(CookieHost(sourceUrl)).empty(); }
  // The host of a cookie entry, empty for any other entry. The prefix is
  // compared case and all, as the library compares it.
  static std::string CookieHost(std::string_view sourceUrl);

 private:
  std::vector<std::string> sites_;
  std::vector<std::string> leftOut_;
};

// The list as stored; a value of another type keeps nothing and is named
// in LeftOut.
CookiesToKeep ReadCookiesToKeep(Registry& registry);
// Writes the sites, each once, in the order given.
void StoreCookiesToKeep(Registry& registry, const std::vector<std::string>& sites);

// The report's line of the kept cookies: "3 cookies of 2 sites:
// example.com (2), bank.test (1)"; urls are the kept cookie entries.
std::string KeptCookiesText(const CookiesToKeep& sites, const std::vector<std::string>& urls);
inline constexpr const char* kWhyCookiesKept = "the sites kept on the Options dialog's eraser page";
inline constexpr const char* kCookiesToKeepLeftOut = "A site to keep the cookies of was left out: ";

inline constexpr const char* kKeptSiteEmpty = "an empty entry";
inline constexpr const char* kKeptSiteBlanks = "blanks: a site's name has none";
inline constexpr const char* kKeptSiteScheme = "a scheme or a port: type the site alone, as example.com";
inline constexpr const char* kKeptSitePath = "a path: type the site alone, as example.com";
inline constexpr const char* kKeptSiteNoHost = "no host can have this name";
inline constexpr const char* kKeptSitesNotText = "the value is not a text: no cookie is kept";

}  // namespace vandrel
