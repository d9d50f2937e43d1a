// Window arrangement arithmetic: the area, the tile grid for 1..12 windows, and the rectangles
// of each arrangement.
#include "viewer/settings/window_arrangement.h"

#include <gtest/gtest.h>

namespace {

TEST(TileGrid, ForOneToTwelveWindows) {
  const TileGrid expected[] = {{1, 1}, {2, 1}, {2, 2}, {2, 2}, {3, 2}, {3, 2},
                               {3, 3}, {3, 3}, {3, 3}, {4, 3}, {4, 3}, {4, 3}};
  for (int n = 1; n <= 12; ++n) {
    TileGrid grid = TileGridFor(n);
    EXPECT_EQ(grid.columns, expected[n - 1].columns) << n << " windows";
    EXPECT_EQ(grid.rows, expected[n - 1].rows) << n << " windows";
  }
}

TEST(ArrangementArea, FallsBackToTheScreenWhenASideIsZero) {
  EXPECT_EQ(ArrangementArea(-4, -4, 1032, 776, 1024, 768), (ArrangeRect{-4, -4, 1032, 776}));
  EXPECT_EQ(ArrangementArea(10, 20, 0, 776, 1024, 768), (ArrangeRect{10, 20, 1014, 748}));
}

TEST(TileWindows, FiveWindowsInThreeColumnsAndTwoRows) {
  std::vector<ArrangeRect> cells = TileWindows({10, 20, 1000, 601}, 5);
  ASSERT_EQ(cells.size(), 5u);
  EXPECT_EQ(cells[0], (ArrangeRect{10, 20, 333, 300}));
  EXPECT_EQ(cells[2], (ArrangeRect{676, 20, 333, 300}));
  EXPECT_EQ(cells[3], (ArrangeRect{10, 320, 333, 300}));
  EXPECT_EQ(cells[4], (ArrangeRect{343, 320, 333, 300}));
}

TEST(SideBySideAndStacked, DivideTheArea) {
  std::vector<ArrangeRect> columns = SideBySideWindows({0, 0, 800, 600}, 3);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[2], (ArrangeRect{532, 0, 266, 600}));
  std::vector<ArrangeRect> rows = StackedWindows({0, 10, 800, 600}, 4);
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[3], (ArrangeRect{0, 460, 800, 150}));
  EXPECT_TRUE(SideBySideWindows({0, 0, 800, 600}, 0).empty());
  EXPECT_TRUE(TileWindows({0, 0, 800, 600}, 0).empty());
}

TEST(CascadeWindows, OffsetsEachWindowAndKeepsItsSize) {
  std::vector<ArrangeRect> moved = CascadeWindows({5, 6, 0, 0}, {{100, 100, 300, 200}, {0, 0, 50, 60}}, 24);
  ASSERT_EQ(moved.size(), 2u);
  EXPECT_EQ(moved[0], (ArrangeRect{5, 6, 300, 200}));
  EXPECT_EQ(moved[1], (ArrangeRect{29, 30, 50, 60}));
}

}  // namespace
