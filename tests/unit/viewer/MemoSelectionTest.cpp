#include "viewer/MemoSelection.h"

#include <gtest/gtest.h>

#include <string>

namespace vandrel {
namespace {

using Columns = std::pair<std::size_t, std::size_t>;

// Lines: 0 "abc de" at 0, 1 "fgh" at 8, 2 "" at 13, 3 "ijklmnop" at 15,
// and the empty place after the last line end, 4 at 25.
class MemoSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override { memo.Append("abc de\r\nfgh\r\n\r\nijklmnop\r\n"); }
  TextMemo memo;
  MemoSelection selection{memo};
};

TEST_F(MemoSelectionTest, KeysMoveAndExtendAsInAnEditControl) {
  struct Case {
    const char* what;
    std::size_t anchor, caret;  // text positions before the key
    CaretMove move;
    bool shift;
    std::size_t start, end, caretLine, caretColumn;
  };
  const Case cases[] = {
      {"right within a line", 0, 0, CaretMove::Right, false, 1, 1, 0, 1},
      {"right over a line end", 6, 6, CaretMove::Right, false, 8, 8, 1, 0},
      {"right at the very end stays", 25, 25, CaretMove::Right, false, 25, 25, 4, 0},
      {"left over a line end", 8, 8, CaretMove::Left, false, 6, 6, 0, 6},
      {"left at the start stays", 0, 0, CaretMove::Left, false, 0, 0, 0, 0},
      {"shift extends from the anchor", 2, 2, CaretMove::Right, true, 2, 3, 0, 3},
      {"shift extends to the left", 3, 2, CaretMove::Left, true, 1, 3, 0, 1},
      {"an unshifted key drops the selection", 0, 4, CaretMove::Right, false, 5, 5, 0, 5},
      {"down into a shorter line ends there", 5, 5, CaretMove::Down, false, 11, 11, 1, 3},
      {"down onto an empty line", 10, 10, CaretMove::Down, true, 10, 13, 2, 0},
      {"up from the first line stays there", 3, 3, CaretMove::Up, false, 3, 3, 0, 3},
      {"page down", 1, 1, CaretMove::PageDown, true, 1, 16, 3, 1},
      {"page down stops at the last place", 9, 9, CaretMove::PageDown, true, 9, 25, 4, 0},
      {"page up", 18, 18, CaretMove::PageUp, false, 3, 3, 0, 3},
      {"home", 18, 18, CaretMove::LineStart, true, 15, 18, 3, 0},
      {"end stops before the line end", 15, 15, CaretMove::LineEnd, false, 23, 23, 3, 8},
      {"ctrl+home", 18, 18, CaretMove::TextStart, true, 0, 18, 0, 0},
      {"ctrl+end", 3, 3, CaretMove::TextEnd, true, 3, 25, 4, 0},
  };
  for (const Case& c : cases) {
    selection.Set(c.anchor, c.caret);
    selection.Move(c.move, c.shift, 3);
    EXPECT_EQ(selection.Start(), c.start) << c.what;
    EXPECT_EQ(selection.End(), c.end) << c.what;
    EXPECT_EQ(selection.CaretLine(), c.caretLine) << c.what;
    EXPECT_EQ(selection.CaretColumn(), c.caretColumn) << c.what;
  }
}

TEST_F(MemoSelectionTest, UpAndDownKeepTheColumnOverShortLines) {
  selection.Place(3, 7, false);
  selection.Move(CaretMove::Up, true);
  selection.Move(CaretMove::Up, true);
  EXPECT_EQ(selection.CaretColumn(), 3u) << "fgh is shorter";
  selection.Move(CaretMove::Up, true);
  EXPECT_EQ(selection.CaretColumn(), 6u) << "the end of the first line, not column 3";
  EXPECT_EQ(selection.Selected(), "\r\nfgh\r\n\r\nijklmno");
}

TEST_F(MemoSelectionTest, ClicksWordsAndAllSelectWhatIsThere) {
  selection.Place(9, 99, false);
  EXPECT_EQ(selection.CaretLine(), 4u) << "a click beyond the text is at its end";
  EXPECT_EQ(selection.CaretColumn(), 0u);
  selection.Place(0, 1, false);
  selection.Place(1, 2, true);
  EXPECT_EQ(selection.Selected(), "bc de\r\nfg");
  EXPECT_EQ(selection.SelectedColumns(0), Columns(1, 6));
  EXPECT_EQ(selection.SelectedColumns(1), Columns(0, 2));
  EXPECT_EQ(selection.SelectedColumns(3), Columns(0, 0));

  selection.SelectWord(0, 1);
  EXPECT_EQ(selection.Selected(), "abc");
  selection.SelectWord(0, 3);
  EXPECT_EQ(selection.Selected(), " ");
  selection.SelectWord(3, 50);
  EXPECT_EQ(selection.Selected(), "ijklmnop");

  EXPECT_FALSE(selection.AllSelected());
  selection.SelectAll();
  EXPECT_TRUE(selection.AllSelected());
  EXPECT_EQ(selection.Selected(), memo.Text());
  selection.Set(7, 12);
  EXPECT_EQ(selection.Selected(), "\r\nfgh") << "never inside a line end";
}

// The view resets the selection when the text is replaced; until it does,
// a selection of a text that shrank reads only what is there.
TEST_F(MemoSelectionTest, ASelectionOfAShrunkTextStaysInside) {
  selection.SelectAll();
  memo.Clear();
  EXPECT_TRUE(selection.Empty());
  EXPECT_EQ(selection.Selected(), "");
  memo.Append("xy");
  selection.Move(CaretMove::Left, true);
  EXPECT_EQ(selection.Selected(), "x") << "from the anchor at the start to the caret before the end";
}

}  // namespace
}  // namespace vandrel
