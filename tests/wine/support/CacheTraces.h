#pragma once
#include <string>
#include <vector>

namespace vandrel::test {

// Browser traces made through wininet as the browser makes them. Each
// returns false on failure, with the error left in GetLastError.

// A cached page with a local file of its own; file: that file's path.
bool AddCachedPage(const std::string& url, std::string& file);
// A persistent cookie for the site ("http://host/").
bool AddCookie(const std::string& site, const std::string& name);
// A visited-page history entry ("Visited: user@http://...").
bool AddVisit(const std::string& visitedUrl);

// Every URL in the current user's cache, all containers, through the plain
// enumeration (the extended one is a stub under Wine).
std::vector<std::string> CachedUrls();

}  // namespace vandrel::test
