// The arithmetic of arranging the viewer windows of every process (cascade, tile, side by
// side, stacked).  The Win32 layer lists the visible "Zelko View 32" windows in walk order
// (bottom of the Z order first for cascade, top first for the others) and moves window i to
// the i-th rectangle computed here.
#pragma once

#include <cstdint>
#include <vector>

struct ArrangeRect {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool operator==(const ArrangeRect&) const = default;
};

// The area windows are arranged in: the maximized position and size the window reports, or,
// when that size has a zero side, the screen from that position on.
ArrangeRect ArrangementArea(int32_t maxX, int32_t maxY, int32_t maxWidth, int32_t maxHeight,
                            int32_t screenWidth, int32_t screenHeight);

struct TileGrid {
  int columns;
  int rows;
};
// c = r = 1; repeat: stop when c x r >= n; c += 1; stop when c x r >= n; r += 1.
TileGrid TileGridFor(int count);

// Cascade: window i moves to the area origin plus i x step in both directions, keeping its
// size (sizes are taken from `windows`).
std::vector<ArrangeRect> CascadeWindows(const ArrangeRect& area, const std::vector<ArrangeRect>& windows,
                                        int32_t step);
std::vector<ArrangeRect> TileWindows(const ArrangeRect& area, int count);
// Side by side: n columns of the full height.  Stacked: n rows of the full width.
std::vector<ArrangeRect> SideBySideWindows(const ArrangeRect& area, int count);
std::vector<ArrangeRect> StackedWindows(const ArrangeRect& area, int count);
