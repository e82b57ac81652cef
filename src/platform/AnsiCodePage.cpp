#include "platform/AnsiCodePage.h"

namespace vandrel {
namespace {

// Hands out the bytes of a text upper-cased as the code page does: the two
// bytes of a character of two stay as they are.
class FoldedBytes {
 public:
  FoldedBytes(std::string_view text, const AnsiCodePage& codePage) : text_(text), codePage_(codePage) {}
  bool AtEnd() const { return at_ == text_.size(); }
  unsigned char Next() {
    const auto byte = static_cast<unsigned char>(text_[at_++]);
    if (pairLeft_) {
      pairLeft_ = false;
      return byte;
    }
    if (codePage_.IsLead(byte)) {
      pairLeft_ = at_ < text_.size();
      return byte;
    }
    return codePage_.UpperOfSingle(byte);
  }

 private:
  std::string_view text_;
  const AnsiCodePage& codePage_;
  std::size_t at_ = 0;
  bool pairLeft_ = false;  // the next byte is the second of a pair
};

}  // namespace

std::size_t CharacterSizeAt(std::string_view text, std::size_t at, const LeadByteTable& leadBytes) {
  return leadBytes[static_cast<unsigned char>(text[at])] && at + 1 < text.size() ? 2 : 1;
}

bool IsCharacterStart(std::string_view text, std::size_t at, const LeadByteTable& leadBytes) {
  std::size_t next = 0;
  while (next < at) next += CharacterSizeAt(text, next, leadBytes);
  return next == at;
}

std::size_t CharacterCount(std::string_view text, const LeadByteTable& leadBytes) {
  std::size_t count = 0;
  for (std::size_t at = 0; at < text.size(); at += CharacterSizeAt(text, at, leadBytes)) ++count;
  return count;
}

std::size_t FindCharacters(std::string_view text, std::string_view needle, const LeadByteTable& leadBytes) {
  // The plain search finds the candidates; one walk over the characters,
  // kept from candidate to candidate, tells where they begin.
  std::size_t start = 0;
  for (auto at = text.find(needle); at != std::string_view::npos; at = text.find(needle, at + 1)) {
    while (start < at) start += CharacterSizeAt(text, start, leadBytes);
    if (start != at) continue;
    // The needle's last byte may be a lead byte that takes a byte of the text's next character.
    std::size_t end = at;
    while (end < at + needle.size()) end += CharacterSizeAt(text, end, leadBytes);
    if (end == at + needle.size()) return at;
  }
  return std::string_view::npos;
}

AnsiCodePage::AnsiCodePage(const UpperCaseTable& upper, const LeadByteTable& leadBytes) : leadBytes_(leadBytes) {
  for (std::size_t byte = 0; byte < upper_.size(); ++byte) {
    // A character of one byte stays one: an upper case that is a lead byte is no case.
    const bool single = !leadBytes[byte] && !leadBytes[upper[byte]];
    upper_[byte] = single ? upper[byte] : static_cast<unsigned char>(byte);
  }
}

std::string AnsiCodePage::UpperCased(std::string_view text) const {
  std::string upper;
  upper.reserve(text.size());
  for (FoldedBytes bytes(text, *this); !bytes.AtEnd();) upper += static_cast<char>(bytes.Next());
  return upper;
}

int AnsiCodePage::CompareIgnoringCase(std::string_view a, std::string_view b) const {
  FoldedBytes left(a, *this), right(b, *this);
  while (!left.AtEnd() && !right.AtEnd()) {
    const int difference = left.Next() - right.Next();
    if (difference != 0) return difference;
  }
  return left.AtEnd() ? (right.AtEnd() ? 0 : -1) : 1;
}

}  // namespace vandrel
