#include "ui/FitLayout.h"

#include <algorithm>

namespace vandrel {
namespace {

// The start of a span `length` long centred on the span at `centreStart`,
// then moved into the area's span.
int HeldStart(int length, int centreStart, int centreLength, int areaStart, int areaLength) {
  const int centred = centreStart + (centreLength - length) / 2;
  return std::max(areaStart, std::min(centred, areaStart + areaLength - length));
}

}  // namespace

Extent HeldWithin(int width, int height, const Extent& centre, const Extent& area) {
  const int heldWidth = std::min(width, area.width);
  const int heldHeight = std::min(height, area.height);
  return {HeldStart(heldWidth, centre.left, centre.width, area.left, area.width),
          HeldStart(heldHeight, centre.top, centre.height, area.top, area.height), heldWidth, heldHeight};
}

int ColumnsPerRow(const std::vector<int>& widths, int gap, int room) {
  const int count = static_cast<int>(widths.size());
  for (int perRow = count; perRow > 1; --perRow) {
    bool fits = true;
    for (int first = 0; first < count && fits; first += perRow) {
      int width = -gap;
      for (int column = first; column < std::min(count, first + perRow); ++column) width += gap + widths[column];
      fits = width <= room;
    }
    if (fits) return perRow;
  }
  return 1;
}

FittedClient FitClient(const std::function<ContentSize(int width)>& layOut, int roomWidth, int roomHeight, int bar) {
  const ContentSize whole = layOut(roomWidth);
  if (whole.height <= roomHeight) return {std::min(whole.width, roomWidth), whole.height, roomWidth, false};
  // The bar takes its width from the content's room.
  const ContentSize beside = layOut(roomWidth - bar);
  return {std::min(beside.width + bar, roomWidth), roomHeight, roomWidth - bar, true};
}

ScrollSpan::ScrollSpan(int content, int view, int line)
    : content_(std::max(0, content)), view_(std::max(0, view)), line_(std::max(1, line)) {}

int ScrollSpan::MoveTo(int position) {
  const int before = position_;
  position_ = std::clamp(position, 0, Last());
  return position_ - before;
}

int ScrollSpan::Target(ScrollRequest request, int thumb) const {
  // A page keeps a line of the last view in sight, as a text's page does.
  const int page = std::max(line_, view_ - line_);
  switch (request) {
    case ScrollRequest::LineUp: return position_ - line_;
    case ScrollRequest::LineDown: return position_ + line_;
    case ScrollRequest::PageUp: return position_ - page;
    case ScrollRequest::PageDown: return position_ + page;
    case ScrollRequest::Top: return 0;
    case ScrollRequest::Bottom: return Last();
    case ScrollRequest::Thumb: return thumb;
  }
  return position_;
}

int ScrollSpan::Revealing(int top, int bottom) const {
  if (top < position_ || bottom - top > view_) return top;
  if (bottom > position_ + view_) return bottom - view_;
  return position_;
}

}  // namespace vandrel
