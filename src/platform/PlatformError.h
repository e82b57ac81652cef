#pragma once
#include <stdexcept>
#include <string>

namespace vandrel {

// A failure of a platform call, carrying the exact text the user is shown.
// The application's top-level handler catches it and shows it in an error box.
class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(const std::string& userText) : std::runtime_error(userText) {}
};

// Replaces the first "%s" of a message pattern with a value.
std::string FormatMessageText(const std::string& pattern, const std::string& value);

}  // namespace vandrel
