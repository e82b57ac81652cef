#pragma once
#include <cstddef>
#include <string_view>
#include <utility>

#include "viewer/TextMemo.h"

namespace vandrel {

// How the caret moves, as the keys of an edit control move it.
enum class CaretMove { Left, Right, Up, Down, PageUp, PageDown, LineStart, LineEnd, TextStart, TextEnd };

// The selection of a read-only memo, as an edit control keeps it: an anchor
// where it began and a caret where it ends, both text positions, never
// inside a line end. Up and down keep the column the caret was last put
// at. Positions past the end of a text that has shrunk count as its end.
class MemoSelection {
 public:
  explicit MemoSelection(const TextMemo& memo) : memo_(memo) {}

  // Back to the start of the text (it was replaced).
  void Reset() { anchor_ = caret_ = goalColumn_ = 0; }
  // A click at `column` of `line`, both limited to the text; `extend`
  // (Shift) keeps the anchor.
  void Place(std::size_t line, std::size_t column, bool extend);
  // `pageLines` is how far PageUp and PageDown go.
  void Move(CaretMove move, bool extend, std::size_t pageLines = 1);
  void SelectAll();
  // A double click: the run of spaces or of other characters at `column`.
  void SelectWord(std::size_t line, std::size_t column);
  // Like the edit control's EM_SETSEL: a position past the end is the end.
  void Set(std::size_t anchor, std::size_t caret);

  std::size_t Start() const { return std::min(Anchor(), Caret()); }
  std::size_t End() const { return std::max(Anchor(), Caret()); }
  bool Empty() const { return Anchor() == Caret(); }
  bool AllSelected() const { return Start() == 0 && End() == memo_.Text().size(); }
  std::string_view Selected() const { return std::string_view(memo_.Text()).substr(Start(), End() - Start()); }
  std::size_t CaretLine() const { return memo_.LineOf(Caret()); }
  std::size_t CaretColumn() const { return Caret() - memo_.LineStart(CaretLine()); }
  // The selected columns [first, second) of `line`; first == second when none.
  std::pair<std::size_t, std::size_t> SelectedColumns(std::size_t line) const;

 private:
  std::size_t Anchor() const { return std::min(anchor_, memo_.Text().size()); }
  std::size_t Caret() const { return std::min(caret_, memo_.Text().size()); }
  // The text position of `column` of `line`, both limited to the text.
  std::size_t PositionOf(std::size_t line, std::size_t column) const;
  void MoveCaretTo(std::size_t position, bool extend, bool keepGoalColumn = false);

  const TextMemo& memo_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  std::size_t goalColumn_ = 0;
};

}  // namespace vandrel
