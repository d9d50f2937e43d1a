// The text window's layout values and the new TopLine / LeftColumn of every scroll code.
#include "viewer/document/scroll_math.h"

#include <gtest/gtest.h>

namespace {

VScrollRequest Vertical(int code, int32_t topLine, int32_t rowCount) {
  VScrollRequest r{};
  r.code = code;
  r.topLine = topLine;
  r.rowCount = rowCount;
  r.pageRows = 20;
  r.clientHeight = 330;  // 20 whole rows of 16 pixels and part of one more
  r.rowHeight = 16;
  r.scale = VScrollScale(rowCount);
  return r;
}

int32_t Top(const VScrollRequest& r) {
  std::optional<int32_t> top = NewTopLine(r);
  EXPECT_TRUE(top.has_value()) << r.code;
  return top.value_or(-12345);
}

HScrollRequest Horizontal(int code, int32_t leftColumn) {
  HScrollRequest r{};
  r.code = code;
  r.leftColumn = leftColumn;
  r.visibleColumns = 30;
  r.lineMax = 80;
  r.limit = HScrollLimit(30, 0, 80);
  return r;
}

int32_t Left(const HScrollRequest& r) {
  std::optional<int32_t> left = NewLeftColumn(r);
  EXPECT_TRUE(left.has_value()) << r.code;
  return left.value_or(-12345);
}

TEST(TextLayout, TextLeftAndVisibleColumns) {
  EXPECT_EQ(TextLeft(8, 10, true), 58);
  EXPECT_EQ(TextLeft(8, 10, false), 10);
  // Row numbers of six digits and more widen the column; five stay the least.
  EXPECT_EQ(TextLeft(8, 10, true, 99999), 58);
  EXPECT_EQ(TextLeft(8, 10, true, 100000), 66);
  EXPECT_EQ(TextLeft(8, 10, true, 1000000), 74);
  EXPECT_EQ(TextLeft(8, 10, false, 1000000), 10);
  EXPECT_EQ(LineNumberDigits(0), 5);
  EXPECT_EQ(LineNumberDigits(2147483647), 10);
  EXPECT_EQ(VisibleColumns({640, 0, 16, 8, 10, true, 1000000}), 69);
  EXPECT_FALSE(HasLineNumberColumn(true, 1));  // binary mode has no line numbers
  EXPECT_TRUE(HasLineNumberColumn(true, 0));
  // (640 - 16 - 0) / 8 = 78 columns, minus 6 for the numbers, minus 10 / 8 = 1 for the margin.
  EXPECT_EQ(VisibleColumns({640, 0, 16, 8, 10, true}), 71);
  EXPECT_EQ(VisibleColumns({640, 0, 16, 8, 10, false}), 77);
  EXPECT_EQ(VisibleColumns({640, 4, 16, 8, 10, false}), 76);
  // A window narrower than the margin shows no columns rather than a negative count.
  EXPECT_EQ(VisibleColumns({30, 0, 16, 8, 10, true}), 0);
  EXPECT_EQ(VisibleColumns({640, 0, 16, 0, 10, false}), 614);  // no font yet: 1 pixel columns
}

TEST(TextLayout, HorizontalLimitByMode) {
  EXPECT_EQ(HScrollLimit(71, 0, 80), 9);
  EXPECT_EQ(HScrollLimit(90, 0, 80), 0);
  // Text rows are LineMax wide with or without line numbers, so columns past 75 are reachable.
  EXPECT_EQ(HScrollLimit(50, 0, 150), 100);
  // Binary rows are 75 columns: the bar is needed only below 75 visible columns.
  EXPECT_EQ(HScrollLimit(75, 1, 20), 0);
  EXPECT_EQ(HScrollLimit(74, 1, 200), 1);
  EXPECT_EQ(HScrollLimit(0, 1, 80), 75);
}

TEST(TextLayout, PageRowsAndPaintedRows) {
  EXPECT_EQ(PageRows(330, 16), 20);
  EXPECT_EQ(RowsMeetingClient(330, 16), 21);
  EXPECT_EQ(RowsMeetingClient(320, 16), 20);
  EXPECT_EQ(PageRows(0, 16), 0);
  EXPECT_EQ(RowsMeetingClient(0, 16), 0);
  EXPECT_EQ(PageRows(100, 0), 100);  // before the font is measured
}

TEST(VerticalBar, ScaleKeepsPositionsWithin16Bits) {
  EXPECT_EQ(VScrollScale(0), 1);
  EXPECT_EQ(VScrollScale(32767), 1);
  EXPECT_EQ(VScrollScale(32768), 2);
  EXPECT_EQ(VScrollScale(100000), 4);
  VScrollBar big = VerticalBar(100000, 8);
  EXPECT_EQ(big.maxPosition, 24999);
  EXPECT_EQ(big.position, 2);
  EXPECT_EQ(VerticalBar(32767, 40).maxPosition, 32766);
  EXPECT_EQ(VerticalBar(32768, 40).maxPosition, 16383);
  EXPECT_EQ(VerticalBar(32768, 40).position, 20);
  for (int32_t rows : {1, 32767, 32768, 65535, 65536, 100000, 2147483647}) {
    VScrollBar bar = VerticalBar(rows, rows - 1);
    EXPECT_LE(bar.maxPosition, 32767) << rows;
    EXPECT_LE(bar.position, 32767) << rows;
  }
  // Thumb position 2 of a 100000-row document shows row 8 at the top.
  VScrollRequest thumb = Vertical(5, 0, 100000);
  thumb.thumb = 2;
  EXPECT_EQ(Top(thumb), 8);
}

TEST(MouseWheel, NotchesPagesAndPartialDeltas) {
  // Three rows a notch (the system default), down for a negative delta.
  EXPECT_EQ(WheelRows(-120, 0, 3, 40).rows, 3);
  EXPECT_EQ(WheelRows(120, 0, 3, 40).rows, -3);
  EXPECT_EQ(WheelRows(-240, 0, 3, 40).rows, 6);
  // A page a notch.
  EXPECT_EQ(WheelRows(-120, 0, kWheelPageScroll, 40).rows, 40);
  EXPECT_EQ(WheelRows(120, 0, kWheelPageScroll, 0).rows, -1);
  // Wheel scrolling switched off.
  EXPECT_EQ(WheelRows(-120, 0, 0, 40).rows, 0);
  // Quarter notches: nothing for the first, a row once a third of a notch has added up, and
  // all of them together move as far as one whole notch.
  int32_t pending = 0, moved = 0;
  for (int i = 0; i < 4; ++i) {
    WheelScroll step = WheelRows(-30, pending, 3, 40);
    if (i == 0) EXPECT_EQ(step.rows, 0);
    moved += step.rows;
    pending = step.pending;
  }
  EXPECT_EQ(moved, 3);
  EXPECT_EQ(pending, 0);
  // A turn back undoes what was kept, and a huge setting does not overflow.
  EXPECT_EQ(WheelRows(30, -30, 3, 40).rows, 0);
  EXPECT_GT(WheelRows(-120, 0, 0x7FFFFFFFu, 40).rows, 0);
}

TEST(VerticalScroll, EveryCode) {
  const int32_t rows = 1000;
  EXPECT_EQ(Top(Vertical(0, 50, rows)), 48);   // arrow up: two rows
  EXPECT_EQ(Top(Vertical(1, 50, rows)), 52);   // arrow down: two rows
  EXPECT_EQ(Top(Vertical(2, 50, rows)), 30);
  EXPECT_EQ(Top(Vertical(3, 50, rows)), 70);
  VScrollRequest thumb = Vertical(4, 50, rows);
  thumb.thumb = 123;
  EXPECT_EQ(Top(thumb), 123);
  EXPECT_EQ(Top(Vertical(6, 50, rows)), 0);
  EXPECT_EQ(Top(Vertical(7, 50, rows)), 1000 - 330 / 16);
  EXPECT_EQ(Top(Vertical(10, 50, rows)), 40);
  EXPECT_EQ(Top(Vertical(11, 50, rows)), 60);
  VScrollRequest go = Vertical(12, 50, rows);
  go.target = 777;
  EXPECT_EQ(Top(go), 777);
  EXPECT_EQ(Top(Vertical(13, 50, rows)), 49);  // the key command: one row
  EXPECT_EQ(Top(Vertical(14, 50, rows)), 51);
  for (int code : {8, 9, 15, 16, -1, 100}) EXPECT_FALSE(NewTopLine(Vertical(code, 50, rows))) << code;
}

TEST(VerticalScroll, ClampsToTheRows) {
  EXPECT_EQ(Top(Vertical(0, 1, 100)), 0);
  EXPECT_EQ(Top(Vertical(13, 0, 100)), 0);
  EXPECT_EQ(Top(Vertical(3, 95, 100)), 99);
  EXPECT_EQ(Top(Vertical(14, 99, 100)), 99);
  // Bottom of a document shorter than the window: row 0.
  EXPECT_EQ(Top(Vertical(7, 0, 5)), 0);
  // A jump past the end shows the last full page, as End does; a jump to the last row itself
  // puts it at the top.
  VScrollRequest far = Vertical(12, 0, 100);
  far.target = 2147483647;
  EXPECT_EQ(Top(far), Top(Vertical(7, 0, 100)));
  far.target = 100;
  EXPECT_EQ(Top(far), 100 - 330 / 16);
  far.target = 99;
  EXPECT_EQ(Top(far), 99);
  far.target = -2147483647 - 1;
  EXPECT_EQ(Top(far), 0);
  VScrollRequest thumb = Vertical(5, 0, 100000);
  thumb.thumb = 65535;  // beyond the range: no overflow, the last row
  EXPECT_EQ(Top(thumb), 99999);
  // An empty document keeps TopLine 0 for every code (the position reads 0/0).
  for (int code : {0, 1, 2, 3, 6, 7, 10, 11, 13, 14}) EXPECT_EQ(Top(Vertical(code, 0, 0)), 0) << code;
  VScrollRequest empty = Vertical(12, 0, 0);
  empty.target = 5;
  EXPECT_EQ(Top(empty), 0);
}

TEST(HorizontalScroll, EveryCode) {
  // LineMax 80 and 30 visible columns: the limit is 50.
  EXPECT_EQ(Left(Horizontal(0, 10)), 9);
  EXPECT_EQ(Left(Horizontal(1, 10)), 11);
  EXPECT_EQ(Left(Horizontal(2, 40)), 10);
  EXPECT_EQ(Left(Horizontal(3, 10)), 40);
  HScrollRequest thumb = Horizontal(5, 10);
  thumb.thumb = 33;
  EXPECT_EQ(Left(thumb), 33);
  thumb.code = 4;
  EXPECT_EQ(Left(thumb), 33);
  EXPECT_EQ(Left(Horizontal(6, 10)), 0);
  EXPECT_EQ(Left(Horizontal(15, 10)), 0);
  EXPECT_EQ(Left(Horizontal(7, 10)), 50);   // LineMax - 1, clamped to the limit
  EXPECT_EQ(Left(Horizontal(16, 10)), 50);
  HScrollRequest go = Horizontal(12, 10);
  go.target = 17;
  EXPECT_EQ(Left(go), 17);
  EXPECT_EQ(Left(Horizontal(17, 20)), 5);
  EXPECT_EQ(Left(Horizontal(18, 20)), 35);
  EXPECT_EQ(Left(Horizontal(19, 20)), 18);
  EXPECT_EQ(Left(Horizontal(20, 20)), 22);
  for (int code : {8, 9, 10, 11, 13, 14, 21}) EXPECT_FALSE(NewLeftColumn(Horizontal(code, 10))) << code;
}

TEST(HorizontalScroll, ClampsToTheLimit) {
  EXPECT_EQ(Left(Horizontal(0, 0)), 0);
  EXPECT_EQ(Left(Horizontal(19, 1)), 0);
  EXPECT_EQ(Left(Horizontal(3, 45)), 50);
  EXPECT_EQ(Left(Horizontal(20, 50)), 50);
  HScrollRequest wide = Horizontal(7, 0);
  wide.lineMax = 60;
  wide.limit = HScrollLimit(wide.visibleColumns, 0, 60);
  EXPECT_EQ(Left(wide), 30);
  // Nothing to scroll: every code gives column 0.
  HScrollRequest none = Horizontal(1, 0);
  none.limit = 0;
  EXPECT_EQ(Left(none), 0);
  none.code = 12;
  none.target = 2147483647;
  EXPECT_EQ(Left(none), 0);
}

TEST(HorizontalBar, ShownHiddenAndLeftColumnPulledBack) {
  HScrollBarState s = UpdateHScrollBar(9, 0);
  EXPECT_TRUE(s.shown);
  EXPECT_EQ(s.maxPosition, 9);
  EXPECT_EQ(s.position, 0);
  s = UpdateHScrollBar(9, 4);
  EXPECT_EQ(s.position, 4);
  EXPECT_EQ(s.leftColumn, 4);
  // The window grew: LeftColumn comes back to the new limit.
  s = UpdateHScrollBar(3, 7);
  EXPECT_TRUE(s.shown);
  EXPECT_EQ(s.position, 3);
  EXPECT_EQ(s.leftColumn, 3);
  // Everything fits: the bar goes and the view returns to column 0.
  s = UpdateHScrollBar(0, 7);
  EXPECT_FALSE(s.shown);
  EXPECT_EQ(s.leftColumn, 0);
}

}  // namespace
