#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/SystemInfo.h"

namespace vandrel {

// A character of the user's ANSI code page is one byte, or two where the
// first is a lead byte (code pages 932, 936, 949, 950); the second byte of
// such a pair may be an ASCII letter. The bytes that follow a lead byte
// belong to it, whatever they are, as the system's CharNextA sees it; a lead
// byte at the end of a text is a character of its own.
std::size_t CharacterSizeAt(std::string_view text, std::size_t at, const LeadByteTable& leadBytes);
// Whether a character of `text` begins at `at` (the end counts as one).
bool IsCharacterStart(std::string_view text, std::size_t at, const LeadByteTable& leadBytes);
std::size_t CharacterCount(std::string_view text, const LeadByteTable& leadBytes);
// The first place where `needle` stands in `text` as whole characters of it
// (beginning and ending where characters of `text` do), or npos. An empty
// needle is at 0.
std::size_t FindCharacters(std::string_view text, std::string_view needle, const LeadByteTable& leadBytes);

// The code page as titles and entries are compared in it: only characters
// of one byte change case; a character of two bytes is compared as it is, so
// that no entry matches across a character or turns one into another.
class AnsiCodePage {
 public:
  // Without lead bytes, a code page of single bytes (1252 and the like).
  AnsiCodePage(const UpperCaseTable& upper, const LeadByteTable& leadBytes = {});

  const LeadByteTable& LeadBytes() const { return leadBytes_; }
  // The upper case of a byte that is a character alone; a lead byte maps to itself.
  unsigned char UpperOfSingle(unsigned char byte) const { return upper_[byte]; }
  bool IsLead(unsigned char byte) const { return leadBytes_[byte]; }

  std::string UpperCased(std::string_view text) const;
  // Negative, zero or positive as the upper-cased bytes of `a` sort before,
  // with or after those of `b`.
  int CompareIgnoringCase(std::string_view a, std::string_view b) const;
  bool EqualIgnoringCase(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
  }

 private:
  UpperCaseTable upper_;
  LeadByteTable leadBytes_;
};

}  // namespace vandrel
