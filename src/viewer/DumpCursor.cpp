#include "viewer/DumpCursor.h"

#include <algorithm>
#include <array>

#include "viewer/DumpLines.h"

namespace vandrel {
namespace {

constexpr std::array<char, 256> kCharacters = [] {
  std::array<char, 256> table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte) table[byte] = DumpCharacter(static_cast<std::uint8_t>(byte));
  return table;
}();

}  // namespace

std::size_t DumpCursor::TextSize(std::size_t bytes) { return bytes + bytes / kDumpLineWidth * kDumpLineEndSize; }

void DumpCursor::FormatNext(std::size_t bytes, std::string& out) {
  if (finished_) return;
  const std::size_t end = position_ + std::min(bytes, size_ - position_);
  std::size_t at = out.size();
  out.resize(at + TextSize(end) - TextSize(position_));
  char* const text = out.data();
  while (position_ < end) {
    const std::size_t column = position_ % kDumpLineWidth;
    const std::size_t run = std::min(kDumpLineWidth - column, end - position_);
    for (std::size_t i = 0; i < run; ++i) text[at + i] = kCharacters[data_[position_ + i]];
    at += run;
    position_ += run;
    if (column + run == kDumpLineWidth) {
      std::copy_n(kDumpLineEnd, kDumpLineEndSize, text + at);
      at += kDumpLineEndSize;
    }
  }
}

void DumpCursor::Finish(std::string& out) {
  if (finished_) return;
  finished_ = true;
  const std::size_t column = position_ % kDumpLineWidth;
  if (column == 0) return;
  out.append(kDumpLineWidth - column, ' ');
  out += kDumpLineEnd;
}

}  // namespace vandrel
