#include "viewer/DemoLayout.h"

#include <algorithm>

namespace vandrel {
namespace {

constexpr int kIntroductionTop = 28;
constexpr int kIntroductionHeight = 80;
constexpr int kBoxTop = 112;
constexpr int kBoxRow = 20;    // a check box and its gap above the memo
constexpr int kBoxMargin = 4;  // each side of a check box in its column
constexpr int kBoxMark = 18;   // a check box's mark, gap and focus rectangle
constexpr int kMemoGap = 2;    // below each memo
constexpr int kMinMemoHeight = 60;
constexpr int kGaugeRow = 20;  // the gauge and the stop button
constexpr int kStopWidth = 22;

}  // namespace

int DemoLayout::ColumnWidthFor(int captionWidth) { return captionWidth + kBoxMark + 2 * kBoxMargin; }

DemoLayout::DemoLayout(int width, int height, const std::vector<int>& columnWidths) : width_(width) {
  perRow_ = ColumnsPerRow(columnWidths, 0, width);
  const int rows = std::max(1, (static_cast<int>(columnWidths.size()) + perRow_ - 1) / perRow_);
  const int fixed = kBoxTop + kGaugeRow + rows * (kBoxRow + kMemoGap);
  memoHeight_ = std::max(kMinMemoHeight, (height - fixed) / rows);
  height_ = fixed + rows * memoHeight_;
}

Extent DemoLayout::Introduction() const { return {0, kIntroductionTop, width_, kIntroductionHeight}; }

Extent DemoLayout::Column(int index) const {
  const int row = index / perRow_, place = index % perRow_;
  const int left = width_ * place / perRow_;
  return {left, kBoxTop + row * (kBoxRow + memoHeight_ + kMemoGap), width_ * (place + 1) / perRow_ - left, 0};
}

Extent DemoLayout::Box(int index) const {
  const Extent column = Column(index);
  return {column.left + kBoxMargin, column.top, column.width - 2 * kBoxMargin, kBoxRow - 2};
}

Extent DemoLayout::Memo(int index) const {
  const Extent column = Column(index);
  return {column.left, column.top + kBoxRow, column.width, memoHeight_};
}

Extent DemoLayout::Gauge() const { return {0, height_ - kGaugeRow + 2, width_ - kStopWidth - 2, kGaugeRow - 4}; }

Extent DemoLayout::Stop() const { return {width_ - kStopWidth, height_ - kGaugeRow, kStopWidth, kGaugeRow}; }

}  // namespace vandrel
