#pragma once
#include <vector>

#include "ui/FitLayout.h"

namespace vandrel {

// Where the index.dat viewer's parts go, in designed pixels: the tool strip,
// the introduction, the check boxes over their memos, the three memos side
// by side, and the gauge with the stop button at the bottom. Where the work
// area is smaller the memos get smaller, and columns that cannot hold their
// check boxes' captions wrap into rows of their own.
class DemoLayout {
 public:
  static constexpr int kDesignedWidth = 653;
  static constexpr int kDesignedHeight = 368;

  // The least width of a column whose check box has a caption this wide.
  static int ColumnWidthFor(int captionWidth);

  DemoLayout() = default;
  // The parts in `width` x `height`; lower than the memos' least height
  // allows, the content is that much higher.
  DemoLayout(int width, int height, const std::vector<int>& columnWidths);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Extent Introduction() const;
  Extent Box(int index) const;
  Extent Memo(int index) const;
  Extent Gauge() const;
  Extent Stop() const;

 private:
  Extent Column(int index) const;

  int width_ = 0, height_ = 0;
  int perRow_ = 1, memoHeight_ = 0;
};

}  // namespace vandrel
