#include "viewer/TextMemo.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

// Lines cut across blocks are joined; the empty place after the last line
// end is no line.
TEST(TextMemoTest, LinesAcrossAppendedBlocks) {
  TextMemo memo;
  int appended = 0, redrawn = 0;
  memo.appended = [&] { ++appended; };
  memo.redraw = [&] { ++redrawn; };
  memo.Append("ab");
  memo.Append("c\r\nlonger line\r");
  memo.Append("\nx");
  ASSERT_EQ(memo.LineCount(), 3u);
  EXPECT_EQ(memo.Line(0), "abc");
  EXPECT_EQ(memo.Line(1), "longer line");
  EXPECT_EQ(memo.Line(2), "x");
  EXPECT_EQ(memo.Line(3), "");
  EXPECT_EQ(memo.LongestLine(), 11u);
  memo.Append("\r\n");
  EXPECT_EQ(memo.LineCount(), 3u);
  EXPECT_EQ(appended, 4);

  memo.Clear();
  EXPECT_EQ(memo.LineCount(), 0u);
  EXPECT_EQ(memo.LongestLine(), 0u);
  EXPECT_EQ(redrawn, 1);
  memo.Append("\r\n\r\nz");
  EXPECT_EQ(memo.LineCount(), 3u);
  EXPECT_EQ(memo.Line(1), "");
  EXPECT_EQ(memo.Line(2), "z");
}

}  // namespace
}  // namespace vandrel
