#include "viewer/MemoSelection.h"

#include <algorithm>

namespace vandrel {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

}  // namespace

std::size_t MemoSelection::PositionOf(std::size_t line, std::size_t column) const {
  line = std::min(line, memo_.LastLine());
  return memo_.LineStart(line) + std::min(column, memo_.Line(line).size());
}

void MemoSelection::MoveCaretTo(std::size_t position, bool extend, bool keepGoalColumn) {
  if (!extend)
    anchor_ = position;
  else
    anchor_ = Anchor();
  caret_ = position;
  if (!keepGoalColumn) goalColumn_ = CaretColumn();
}

void MemoSelection::Place(std::size_t line, std::size_t column, bool extend) {
  MoveCaretTo(PositionOf(line, column), extend);
}

void MemoSelection::Move(CaretMove move, bool extend, std::size_t pageLines) {
  const std::size_t line = CaretLine();
  const std::size_t column = CaretColumn();
  const std::size_t lineLength = memo_.Line(line).size();
  const std::size_t lastLine = memo_.LastLine();
  // Up and down go to the column the caret was last put at, as far as the line reaches.
  const auto vertical = [&](std::size_t target) { MoveCaretTo(PositionOf(target, goalColumn_), extend, true); };
  switch (move) {
    case CaretMove::Left:
      if (column > 0)
        MoveCaretTo(PositionOf(line, column - 1), extend);
      else if (line > 0)
        MoveCaretTo(PositionOf(line - 1, memo_.Line(line - 1).size()), extend);
      else
        MoveCaretTo(0, extend);
      break;
    case CaretMove::Right:
      if (column < lineLength)
        MoveCaretTo(PositionOf(line, column + 1), extend);
      else if (line < lastLine)
        MoveCaretTo(PositionOf(line + 1, 0), extend);
      else
        MoveCaretTo(Caret(), extend);
      break;
    case CaretMove::Up: vertical(line - std::min<std::size_t>(line, 1)); break;
    case CaretMove::Down: vertical(std::min(line + 1, lastLine)); break;
    case CaretMove::PageUp: vertical(line - std::min(line, pageLines)); break;
    case CaretMove::PageDown: vertical(std::min(line + std::min(pageLines, lastLine), lastLine)); break;
    case CaretMove::LineStart: MoveCaretTo(PositionOf(line, 0), extend); break;
    case CaretMove::LineEnd: MoveCaretTo(PositionOf(line, lineLength), extend); break;
    case CaretMove::TextStart: MoveCaretTo(0, extend); break;
    case CaretMove::TextEnd: MoveCaretTo(memo_.Text().size(), extend); break;
  }
}

void MemoSelection::SelectAll() { Set(0, memo_.Text().size()); }

void MemoSelection::Set(std::size_t anchor, std::size_t caret) {
  const std::size_t size = memo_.Text().size();
  // Never between the two characters of a line end: back to the end of the line's text.
  const auto snapped = [this, size](std::size_t position) {
    position = std::min(position, size);
    const std::size_t line = memo_.LineOf(position);
    return PositionOf(line, position - memo_.LineStart(line));
  };
  anchor_ = snapped(anchor);
  caret_ = snapped(caret);
  goalColumn_ = CaretColumn();
}

void MemoSelection::SelectWord(std::size_t line, std::size_t column) {
  line = std::min(line, memo_.LastLine());
  const std::string_view text = memo_.Line(line);
  if (text.empty()) return Place(line, 0, false);
  column = std::min(column, text.size() - 1);
  const bool space = IsSpace(text[column]);
  std::size_t first = column;
  while (first > 0 && IsSpace(text[first - 1]) == space) --first;
  std::size_t last = column + 1;
  while (last < text.size() && IsSpace(text[last]) == space) ++last;
  Place(line, first, false);
  Place(line, last, true);
}

std::pair<std::size_t, std::size_t> MemoSelection::SelectedColumns(std::size_t line) const {
  if (Empty() || line > memo_.LastLine()) return {0, 0};
  const std::size_t start = memo_.LineStart(line);
  const std::size_t end = start + memo_.Line(line).size();
  const std::size_t from = std::clamp(Start(), start, end);
  const std::size_t to = std::clamp(End(), start, end);
  return {from - start, to - start};
}

}  // namespace vandrel
