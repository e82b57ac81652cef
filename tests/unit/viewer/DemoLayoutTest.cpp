// Where the index.dat viewer's parts go: as designed where it is whole, its
// memos lower and narrower in a smaller room, its columns in rows where
// their check boxes do not stand side by side.
#include <gtest/gtest.h>

#include <vector>

#include "viewer/DemoLayout.h"

namespace vandrel {
namespace {

TEST(DemoLayout, ThePartsGoWhereTheRoomLetsThem) {
  const std::vector<int> columns(3, DemoLayout::ColumnWidthFor(135));  // 161 each
  // The content's size, then the introduction, the first box, the last memo, the gauge and the stop button.
  const struct Row {
    const char* what;
    int width, height;
    std::vector<int> parts;
  } rows[] = {
      // clang-format off
      {"as designed", 653, 368,
       {653, 368,  0, 28, 653, 80,  4, 112, 209, 18,  435, 132, 218, 214,  0, 350, 629, 16,  631, 348, 22, 20}},
      {"a smaller room: narrower, lower memos", 505, 362,
       {505, 362,  0, 28, 505, 80,  4, 112, 160, 18,  336, 132, 169, 208,  0, 344, 481, 16,  483, 342, 22, 20}},
      {"too narrow for three: two a row, the memos at their least", 400, 250,
       {400, 296,  0, 28, 400, 80,  4, 112, 192, 18,  0, 214, 200, 60,  0, 278, 376, 16,  378, 276, 22, 20}},
      // clang-format on
  };
  for (const Row& row : rows) {
    const DemoLayout layout(row.width, row.height, columns);
    std::vector<int> parts{layout.Width(), layout.Height()};
    for (const Extent& e : {layout.Introduction(), layout.Box(0), layout.Memo(2), layout.Gauge(), layout.Stop()}) {
      parts.insert(parts.end(), {e.left, e.top, e.width, e.height});
    }
    EXPECT_EQ(parts, row.parts) << row.what;
  }
}

}  // namespace
}  // namespace vandrel
