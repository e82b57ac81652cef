#pragma once
#include <functional>
#include <vector>

namespace vandrel {

// A rectangle by its corner and size, in whatever pixels the caller works in.
struct Extent {
  int left, top, width, height;
};

// Where a window of `width` x `height` goes: centred on `centre`, no larger
// than `area` (the work area) and moved wholly into it.
Extent HeldWithin(int width, int height, const Extent& centre, const Extent& area);

// How many of the columns `widths` stand side by side, `gap` apart, in
// `room`: the most that every row holds when the columns fill the rows in
// order; one when not even that fits.
int ColumnsPerRow(const std::vector<int>& widths, int gap, int room);

// The client area of a window in a room (the most the work area lets it
// have): `layOut` gives the content's size when laid out in a width. The
// content's own size where the room holds it; a taller content is laid out
// again beside a vertical scroll bar `bar` wide and gets the room's height.
struct ContentSize {
  int width, height;
};
struct FittedClient {
  int width, height;
  int layoutWidth;  // the width the content was laid out in
  bool scrolls;
};
FittedClient FitClient(const std::function<ContentSize(int width)>& layOut, int roomWidth, int roomHeight, int bar);

// What a vertical scroll bar asks for.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, Top, Bottom, Thumb };

// The scroll of a client area `view` high over content `content` high: the
// position is the content's row at the view's top.
class ScrollSpan {
 public:
  ScrollSpan() = default;
  ScrollSpan(int content, int view, int line);

  int Position() const { return position_; }
  int Content() const { return content_; }
  int View() const { return view_; }
  int Last() const { return content_ > view_ ? content_ - view_ : 0; }

  // Moves to `position`, held to the range; returns how far it moved.
  int MoveTo(int position);
  // Where the request goes; `thumb` is the thumb's position for Thumb.
  int Target(ScrollRequest request, int thumb = 0) const;
  // `lines` lines down (up when negative).
  int Lines(int lines) const { return position_ + lines * line_; }
  // The nearest position that shows rows [top, bottom) of the content
  // whole; their top when they are taller than the view.
  int Revealing(int top, int bottom) const;

 private:
  int content_ = 0, view_ = 0, line_ = 1, position_ = 0;
};

}  // namespace vandrel
