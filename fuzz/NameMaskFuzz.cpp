// The folder listing's name masks, against a plain table-filling matcher of
// the same rule: '*' any run, '?' one character, ASCII letter case ignored,
// and a mask ending in ".*" also matching the name without a dot. Input:
// the mask, a NUL, the name.
#include "FuzzCheck.h"
#include "platform/NameMask.h"

using namespace vandrel;
using vandrel::fuzz::Require;

namespace {

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Row i of the table: the first i characters of name against each length of mask.
bool TableMatch(std::string_view name, std::string_view mask) {
  std::vector<char> row(mask.size() + 1, 0);
  row[0] = 1;
  for (std::size_t j = 1; j <= mask.size(); ++j) row[j] = row[j - 1] && mask[j - 1] == '*';
  for (const char c : name) {
    std::vector<char> next(mask.size() + 1, 0);
    for (std::size_t j = 1; j <= mask.size(); ++j) {
      const char m = mask[j - 1];
      next[j] = m == '*' ? row[j] || next[j - 1] : row[j - 1] && (m == '?' || Upper(m) == Upper(c));
    }
    row = std::move(next);
  }
  return row[mask.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view mask = input.substr(0, split);
  const std::string_view name = input.substr(std::min(split + 1, input.size()));
  // The table costs name x mask; the matcher under test must be quick for any size.
  if (name.size() * mask.size() > 1 << 16) return 0;

  const bool dotless = mask.ends_with(".*") && name.find('.') == std::string_view::npos;
  const bool expected = TableMatch(name, mask) || (dotless && TableMatch(name, mask.substr(0, mask.size() - 2)));
  Require(MatchesMask(name, mask) == expected, "the mask matches as the listing does");
  Require(IsDesktopIni(name) == TableMatch(name, "desktop.ini"), "desktop.ini in any case");
  if (!mask.empty() && mask.find_first_not_of("*") == std::string_view::npos) {
    Require(MatchesMask(name, mask), "stars match every name");
  }
  return 0;
}
