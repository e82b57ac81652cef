#include "app/ShortText.h"

#include "platform/AnsiCodePage.h"

namespace vandrel {

std::string Shortened(std::string_view text, std::size_t length, const LeadByteTable& leadBytes) {
  if (text.size() <= length) return std::string(text);
  const std::size_t room = length - std::char_traits<char>::length(kShortenedMark);
  std::size_t kept = 0;
  while (kept < text.size()) {
    const std::size_t next = kept + CharacterSizeAt(text, kept, leadBytes);
    if (next > room) break;
    kept = next;
  }
  while (kept > 0 && text[kept - 1] == ' ') --kept;
  return std::string(text.substr(0, kept)) + kShortenedMark;
}

}  // namespace vandrel
