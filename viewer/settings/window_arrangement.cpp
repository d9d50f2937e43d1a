// Window arrangement arithmetic.
#include "viewer/settings/window_arrangement.h"

namespace {

// Cells of a columns x rows grid, filled row by row.
std::vector<ArrangeRect> GridCells(const ArrangeRect& area, int count, int columns, int rows) {
  std::vector<ArrangeRect> cells;
  if (count <= 0 || columns <= 0 || rows <= 0) return cells;
  int32_t width = area.width / columns, height = area.height / rows;
  for (int i = 0; i < count; ++i)
    cells.push_back({area.x + (i % columns) * width, area.y + (i / columns) * height, width, height});
  return cells;
}

}  // namespace

ArrangeRect ArrangementArea(int32_t maxX, int32_t maxY, int32_t maxWidth, int32_t maxHeight,
                            int32_t screenWidth, int32_t screenHeight) {
  if (maxWidth == 0 || maxHeight == 0) return {maxX, maxY, screenWidth - maxX, screenHeight - maxY};
  return {maxX, maxY, maxWidth, maxHeight};
}

TileGrid TileGridFor(int count) {
  TileGrid grid{1, 1};
  for (;;) {
    if (grid.columns * grid.rows >= count) break;
    ++grid.columns;
    if (grid.columns * grid.rows >= count) break;
    ++grid.rows;
  }
  return grid;
}

std::vector<ArrangeRect> CascadeWindows(const ArrangeRect& area, const std::vector<ArrangeRect>& windows,
                                        int32_t step) {
  std::vector<ArrangeRect> moved;
  int32_t offset = 0;
  for (const ArrangeRect& window : windows) {
    moved.push_back({area.x + offset, area.y + offset, window.width, window.height});
    offset += step;
  }
  return moved;
}

std::vector<ArrangeRect> TileWindows(const ArrangeRect& area, int count) {
  TileGrid grid = TileGridFor(count);
  return GridCells(area, count, grid.columns, grid.rows);
}

std::vector<ArrangeRect> SideBySideWindows(const ArrangeRect& area, int count) {
  return GridCells(area, count, count, 1);
}

std::vector<ArrangeRect> StackedWindows(const ArrangeRect& area, int count) {
  return GridCells(area, count, 1, count);
}
