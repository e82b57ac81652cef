#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace vandrel {

// Formats a dump piece by piece, so a long one can hand its text on in
// blocks and let the window work in between. The pieces put together, with
// Finish() after the last, are exactly DumpLines() of the bytes formatted.
// The data must outlive the cursor.
class DumpCursor {
 public:
  DumpCursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // How many bytes have been formatted.
  std::size_t Position() const { return position_; }
  bool AtEnd() const { return position_ == size_; }

  // Appends the text of up to `bytes` more bytes to `out`. A line ends as
  // soon as it is full; the line in progress is left open for the next piece.
  void FormatNext(std::size_t bytes, std::string& out);
  // Fills the line in progress up with spaces and ends it; nothing when no
  // line is open. Formatting may not go on after it.
  void Finish(std::string& out);

  // The text size of `bytes` formatted bytes before Finish().
  static std::size_t TextSize(std::size_t bytes);

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
  bool finished_ = false;
};

}  // namespace vandrel
