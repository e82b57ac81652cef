#pragma once
#include <string>
#include <string_view>

namespace vandrel {

// The menu caption that shows `text` as it is: each '&' doubled, so that
// the menu shows it rather than underlining the letter after it.
inline std::string LiteralCaption(std::string_view text) {
  std::string caption;
  caption.reserve(text.size() + 4);
  for (const char c : text) {
    caption += c;
    if (c == '&') caption += '&';
  }
  return caption;
}

}  // namespace vandrel
