#include "blocklist/TitlesFile.h"

#include <algorithm>

#include "blocklist/CryptString.h"

namespace vandrel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The characters whose scrambled form is LF, CR or NUL, and the escape
// itself, each with the letter that stands for it after the escape.
constexpr std::string_view kEscapedPlain =
    "\x1B"
    "07:";
constexpr std::string_view kEscapeCodes =
    "\x1B"
    "ZSC";

bool NeedsEscapedLayout(const std::vector<std::string>& entries) {
  if (!entries.empty() && entries.front() == kEscapedLayoutMarker) return true;
  return std::any_of(entries.begin(), entries.end(),
                     [](const std::string& entry) { return entry.find_first_of("07:") != std::string::npos; });
}

std::string Escaped(std::string_view entry) {
  std::string result;
  result.reserve(entry.size() + 4);
  for (std::size_t at; (at = entry.find_first_of(kEscapedPlain)) != std::string_view::npos;) {
    result.append(entry.substr(0, at));
    result += kTitlesEscape;
    result += kEscapeCodes[kEscapedPlain.find(entry[at])];
    entry.remove_prefix(at + 1);
  }
  result.append(entry);
  return result;
}

std::string Unescaped(std::string_view line) {
  std::string result;
  result.reserve(line.size());
  for (std::size_t at; (at = line.find(kTitlesEscape)) != std::string_view::npos;) {
    result.append(line.substr(0, at));
    const std::size_t code = at + 1 < line.size() ? kEscapeCodes.find(line[at + 1]) : std::string_view::npos;
    if (code == std::string_view::npos) {  // not an escape this writer makes: keep it
      result += kTitlesEscape;
      line.remove_prefix(at + 1);
    } else {
      result += kEscapedPlain[code];
      line.remove_prefix(at + 2);
    }
  }
  result.append(line);
  return result;
}

void AppendRecord(std::string& content, std::string_view plain) {
  content += CryptString(plain);
  content += kLineEnd;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view content) {
  content = content.substr(0, content.find('\0'));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = content.size();
    lines.emplace_back(content.substr(start, end - start));
    start = end;
    if (start < content.size() && content[start] == '\r') ++start;
    if (start < content.size() && content[start] == '\n') ++start;
  }
  return lines;
}

bool LosesLinesAfterNul(std::string_view content) {
  const auto nul = content.find('\0');
  return nul != std::string_view::npos && content.find_first_not_of('\0', nul) != std::string_view::npos;
}

std::string EncodeTitles(const std::vector<std::string>& entries) {
  std::size_t size = 0;
  for (const std::string& entry : entries) size += entry.size() + kLineEnd.size();
  std::string content;
  if (!NeedsEscapedLayout(entries)) {
    content.reserve(size);
    for (const std::string& entry : entries) AppendRecord(content, entry);
    return content;
  }
  content.reserve(size + size / 8 + kEscapedLayoutMarker.size() + kLineEnd.size());
  AppendRecord(content, kEscapedLayoutMarker);
  for (const std::string& entry : entries) AppendRecord(content, Escaped(entry));
  return content;
}

std::vector<std::string> DecodeTitles(std::string_view content) {
  std::vector<std::string> lines = SplitLines(content);
  for (std::string& line : lines) line = CryptString(line);
  if (lines.empty() || lines.front() != kEscapedLayoutMarker) return lines;
  lines.erase(lines.begin());
  for (std::string& line : lines) line = Unescaped(line);
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + kLineEnd.size();
  std::string content;
  content.reserve(size);
  for (const std::string& line : lines) {
    content += line;
    content += kLineEnd;
  }
  return content;
}

}  // namespace vandrel
