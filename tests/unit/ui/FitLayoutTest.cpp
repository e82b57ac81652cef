// How windows fit a work area smaller than their design: where they go,
// how many columns stand side by side, and how their client area scrolls.
#include <gtest/gtest.h>

#include <vector>

#include "ui/FitLayout.h"

namespace vandrel {
namespace {

TEST(FitLayout, AWindowIsCentredAndHeldWhollyInsideTheWorkArea) {
  const Extent screen{0, 0, 1024, 768};
  const struct Row {
    const char* what;
    int width, height;
    Extent centre, area;
    std::vector<int> placed;
  } rows[] = {
      {"fits: centred as designed", 600, 400, screen, screen, {212, 184, 600, 400}},
      {"wider and taller: the whole area", 1306, 800, screen, screen, {0, 0, 1024, 768}},
      {"taller than the area above a taskbar", 500, 760, screen, {0, 0, 1024, 738}, {262, 0, 500, 738}},
      {"centred on an owner at the edge: moved in", 300, 200, {900, 700, 200, 100}, screen, {724, 568, 300, 200}},
      {"an area off the origin", 400, 300, screen, {100, 50, 400, 300}, {100, 50, 400, 300}},
  };
  for (const Row& row : rows) {
    const Extent held = HeldWithin(row.width, row.height, row.centre, row.area);
    EXPECT_EQ((std::vector<int>{held.left, held.top, held.width, held.height}), row.placed) << row.what;
  }
}

TEST(FitLayout, ColumnsPerRowIsTheMostThatEveryRowHoldsAndAtLeastOne) {
  const struct Row {
    const char* what;
    std::vector<int> widths;
    int gap, room, expected;
  } rows[] = {
      {"all fit exactly", {161, 161, 161}, 0, 483, 3},
      {"one pixel short: two a row", {161, 161, 161}, 0, 482, 2},
      {"the gap counts", {330, 183}, 8, 520, 1},
      {"every row must hold, not only the first", {100, 100, 400}, 0, 250, 1},
      {"not even one fits", {600}, 0, 500, 1},
  };
  for (const Row& row : rows) EXPECT_EQ(ColumnsPerRow(row.widths, row.gap, row.room), row.expected) << row.what;
}

TEST(FitLayout, ContentTheRoomCannotHoldScrollsBesideItsBarLaidOutInTheNarrowerWidth) {
  // A layout that wraps into one column, higher, below 500 pixels.
  std::vector<int> asked;
  const auto layOut = [&asked](int width) {
    asked.push_back(width);
    return width >= 500 ? ContentSize{537, 412} : ContentSize{346, 655};
  };
  const struct Row {
    const char* what;
    int roomWidth, roomHeight;
    std::vector<int> fit, asked;
  } rows[] = {
      {"held whole: its own size", 800, 412, {537, 412, 800, false}, {800}},
      {"too low: scrolls, its bar beside it", 800, 400, {537 + 17, 400, 783, true}, {800, 783}},
      {"the bar's width makes it wrap", 510, 400, {346 + 17, 400, 493, true}, {510, 493}},
  };
  for (const Row& row : rows) {
    asked.clear();
    const FittedClient fit = FitClient(layOut, row.roomWidth, row.roomHeight, 17);
    EXPECT_EQ((std::vector<int>{fit.width, fit.height, fit.layoutWidth, fit.scrolls}), row.fit) << row.what;
    EXPECT_EQ(asked, row.asked) << row.what;
  }
}

TEST(FitLayout, EachScrollRequestMovesWithinTheRange) {
  // 1000 pixels of content in a view of 300, lines of 20: positions 0 to 700.
  const struct Row {
    const char* what;
    int from;
    ScrollRequest request;
    int thumb, to;
  } rows[] = {
      {"a line down", 100, ScrollRequest::LineDown, 0, 120},
      {"a page keeps a line of the last view", 100, ScrollRequest::PageDown, 0, 380},
      {"a page up", 400, ScrollRequest::PageUp, 0, 120},
      {"no further up than the top", 10, ScrollRequest::LineUp, 0, 0},
      {"no further down than the last view", 690, ScrollRequest::PageDown, 0, 700},
      {"the bottom", 100, ScrollRequest::Bottom, 0, 700},
      {"the thumb", 100, ScrollRequest::Thumb, 555, 555},
  };
  for (const Row& row : rows) {
    ScrollSpan span(1000, 300, 20);
    span.MoveTo(row.from);
    EXPECT_EQ(span.MoveTo(span.Target(row.request, row.thumb)), row.to - row.from) << row.what;
  }
  ScrollSpan held(300, 300, 20);
  EXPECT_EQ(held.MoveTo(50), 0) << "content the view holds does not scroll";
}

TEST(FitLayout, RevealingShowsRowsWholeWithTheLeastMove) {
  ScrollSpan span(1000, 300, 20);
  span.MoveTo(200);  // rows 200 to 500 in view
  const struct Row {
    const char* what;
    int top, bottom, position;
  } rows[] = {
      {"in view at both edges: stays", 200, 500, 200},
      {"above: its top at the view's top", 150, 180, 150},
      {"below: its bottom at the view's bottom", 480, 520, 220},
      {"taller than the view: its top", 400, 800, 400},
  };
  for (const Row& row : rows) EXPECT_EQ(span.Revealing(row.top, row.bottom), row.position) << row.what;
  EXPECT_EQ(span.Lines(-3), 140) << "the wheel's lines";
}

}  // namespace
}  // namespace vandrel
