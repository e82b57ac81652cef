#pragma once
#include <string>
#include <string_view>

#include "platform/SystemInfo.h"

namespace vandrel {

// A window title as the block list takes it: blanks and control characters
// trimmed from both ends.
std::string TrimmedTitle(std::string_view title);

// What a browser window's title gives the block list, wherever the user
// picks the window: its page title, the title trimmed first.
struct TitleEntry {
  enum class Outcome {
    Entry,     // `entry` is the page title to add
    NoTitle,   // no page title: the suffix alone, or a blank page, whose entry would close windows at once
    NoSuffix,  // not a title the browser's suffix ends: nothing to add, nothing to say
    TooShort,  // a page title shorter than a keyword may be
  };
  Outcome outcome = Outcome::NoSuffix;
  std::string entry;
};
TitleEntry EntryOfTitle(std::string_view title, std::string_view suffix, const LeadByteTable& leadBytes);

}  // namespace vandrel
