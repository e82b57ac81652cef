#include "viewer/MemoSelection.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

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
    std::size_t anchor, caret;  // before the key
    CaretMove move;
    bool shift;
    std::size_t start, end, caretLine, caretColumn;
  } const cases[] = {
      {"right over a line end", 6, 6, CaretMove::Right, false, 8, 8, 1, 0},
      {"left over a line end", 8, 8, CaretMove::Left, false, 6, 6, 0, 6},
      {"shift extends to the left", 3, 2, CaretMove::Left, true, 1, 3, 0, 1},
      {"an unshifted key drops the selection", 0, 4, CaretMove::Right, false, 5, 5, 0, 5},
      {"down into a shorter line ends there", 5, 5, CaretMove::Down, false, 11, 11, 1, 3},
      {"page down stops at the last place", 9, 9, CaretMove::PageDown, true, 9, 25, 4, 0},
      {"end stops before the line end", 15, 15, CaretMove::LineEnd, false, 23, 23, 3, 8},
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
  selection.Place(3, 7, false);
  for (int up = 0; up < 3; ++up) selection.Move(CaretMove::Up, true);
  EXPECT_EQ(selection.Selected(), "\r\nfgh\r\n\r\nijklmno") << "up keeps column 7 over the short lines";
}

TEST_F(MemoSelectionTest, ClicksWordsAndAllSelectWhatIsThere) {
  selection.Place(0, 1, false);
  selection.Place(1, 2, true);
  EXPECT_EQ(selection.Selected(), "bc de\r\nfg");
  EXPECT_EQ(selection.SelectedColumns(0).first, 1u);
  EXPECT_EQ(selection.SelectedColumns(1).second, 2u);
  selection.SelectWord(0, 1);
  EXPECT_EQ(selection.Selected(), "abc");
  selection.SelectWord(0, 3);
  EXPECT_EQ(selection.Selected(), " ");
  selection.SelectWord(3, 50);
  EXPECT_EQ(selection.Selected(), "ijklmnop");
  selection.SelectAll();
  EXPECT_TRUE(selection.AllSelected());
  selection.Set(7, 12);
  EXPECT_EQ(selection.Selected(), "\r\nfgh") << "never inside a line end";
  // Until the view resets it, a selection of a text that shrank reads only what is there.
  memo.Clear();
  EXPECT_EQ(selection.Selected(), "");
  memo.Append("xy");
  selection.Move(CaretMove::Left, true);
  EXPECT_EQ(selection.Selected(), "y");
}

}  // namespace
}  // namespace vandrel
