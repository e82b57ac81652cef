#include "viewer/TextMemo.h"

#include <algorithm>
#include <cstring>

namespace vandrel {

void TextMemo::Clear() {
  if (text_.empty()) return;
  text_.clear();
  text_.shrink_to_fit();
  lineStarts_.assign(1, 0);
  longest_ = 0;
  Redraw();
}

void TextMemo::Append(std::string_view text) {
  if (text.empty()) return;
  const std::size_t from = text_.size();
  text_.append(text);
  const char* const base = text_.data();
  for (const char* at = base + from; const void* found = std::memchr(at, '\n', text_.size() - (at - base));) {
    const std::size_t end = static_cast<const char*>(found) - base;
    NoteLineLength(lineStarts_.back(), end);
    lineStarts_.push_back(end + 1);
    at = base + end + 1;
  }
  NoteLineLength(lineStarts_.back(), text_.size());
  if (appended) appended();
}

void TextMemo::Reserve(std::size_t size, std::size_t lines) {
  text_.reserve(size);
  lineStarts_.reserve(lines + 1);
}

std::size_t TextMemo::LineCount() const {
  return lineStarts_.back() == text_.size() ? lineStarts_.size() - 1 : lineStarts_.size();
}

std::string_view TextMemo::Line(std::size_t index) const {
  if (index >= LineCount()) return {};
  const std::size_t start = lineStarts_[index];
  std::size_t end = index + 1 < lineStarts_.size() ? lineStarts_[index + 1] - 1 : text_.size();
  if (end > start && text_[end - 1] == '\r') --end;
  return std::string_view(text_).substr(start, end - start);
}

std::size_t TextMemo::LineOf(std::size_t offset) const {
  const auto after = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), offset);
  return static_cast<std::size_t>(after - lineStarts_.begin()) - 1;
}

void TextMemo::NoteLineLength(std::size_t start, std::size_t end) {
  if (end > start && text_[end - 1] == '\r') --end;
  longest_ = std::max(longest_, end - start);
}

}  // namespace vandrel
