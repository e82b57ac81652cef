#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: a property check that stops the run (the
// fuzzer saves the input as a crash), and a way to cut one input into parts.
namespace vandrel::fuzz {

inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The parts of `text` between the separator bytes; n separators give n + 1 parts.
inline std::vector<std::string> SplitAt(std::string_view text, char separator) {
  std::vector<std::string> parts;
  for (std::size_t at; (at = text.find(separator)) != std::string_view::npos; text.remove_prefix(at + 1)) {
    parts.emplace_back(text.substr(0, at));
  }
  parts.emplace_back(text);
  return parts;
}

}  // namespace vandrel::fuzz
