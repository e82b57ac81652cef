#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Controls.h"

namespace vandrel {

// A read-only memo that grows by whole blocks of text: it keeps where each
// line starts, so a view draws only the lines it shows however long the
// text gets. Lines end with "\n" or "\r\n".
class TextMemo : public ControlModel {
 public:
  // Set by the view: the text has grown at its end (redraw: it was replaced).
  std::function<void()> appended;

  const std::string& Text() const { return text_; }
  void Clear();
  void Append(std::string_view text);
  // Room for a text of `size` characters in `lines` lines, so that a long
  // text that comes in blocks is not copied again and again as it grows.
  void Reserve(std::size_t size, std::size_t lines);

  // The lines, the one that follows the last line end counted only when it
  // holds text.
  std::size_t LineCount() const;
  // Line `index` without its end.
  std::string_view Line(std::size_t index) const;
  // The length of the longest line, for the horizontal scroll range.
  std::size_t LongestLine() const { return longest_; }

  // Where a caret can be: on a counted line, or on the empty line after a
  // last line end. LastLine() is the line the end of the text is on.
  std::size_t LastLine() const { return lineStarts_.size() - 1; }
  // Where line `index` (up to LastLine()) starts in Text().
  std::size_t LineStart(std::size_t index) const { return lineStarts_[index]; }
  // The line that the text position `offset` is on.
  std::size_t LineOf(std::size_t offset) const;

 private:
  void NoteLineLength(std::size_t start, std::size_t end);

  std::string text_;
  std::vector<std::size_t> lineStarts_{0};
  std::size_t longest_ = 0;
};

}  // namespace vandrel
