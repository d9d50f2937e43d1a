// The text window's layout values and scroll arithmetic: where column 0 starts, how many
// columns and rows fit, how far the view scrolls sideways, the divisor that keeps vertical
// scroll-bar positions within 16 bits, and the new TopLine / LeftColumn for every scroll code
// the window takes (the scroll bar's own and the viewer's extra ones).
#pragma once

#include <cstdint>
#include <optional>

constexpr int32_t kLineNumberColumns = 6;  // five digits and the rule, while they are enough
constexpr int32_t kBinaryRowColumns = 75;

// True when the line-number column is there: line numbers shown and the text mode.
constexpr bool HasLineNumberColumn(bool showLineNumbers, int32_t displayMode) {
  return showLineNumbers && displayMode == 0;
}

// The row number the position text shows for the top row: 1-based, and 0 when there are no
// rows at all (an empty file reads "0/0").
constexpr int64_t ShownTopRow(int32_t topLine, int32_t rowCount) { return rowCount > 0 ? int64_t(topLine) + 1 : 0; }

// 0 .. rowCount - 1; an empty document keeps row 0 at the top.  Steps that move the view by
// some rows (wheel, drag) stop here at the last row, where a jump past the end would show the
// last page.
int32_t ClampTopLine(int64_t row, int32_t rowCount);

// Digits of the line-number column: five, or as many as the largest row number needs.
int32_t LineNumberDigits(int32_t rowCount);

// x of column 0 in the text window; the line-number column grows with `rowCount`.
int32_t TextLeft(int32_t charWidth, int32_t spacing, bool lineNumberColumn, int32_t rowCount = 0);

struct TextAreaSize {
  int32_t clientWidth;
  int32_t clientLeft;
  int32_t vScrollAllowance;  // the vertical scroll bar's width, kept free on the right
  int32_t charWidth;
  int32_t spacing;
  bool lineNumberColumn;
  int32_t rowCount = 0;  // the line-number column's width follows it
};
// The whole columns right of TextLeft; never negative.
int32_t VisibleColumns(const TextAreaSize& area);

// The largest LeftColumn: text rows are LineMax columns wide, dump rows 75.
int32_t HScrollLimit(int32_t visibleColumns, int32_t displayMode, int32_t lineMax);

// Rows that fit wholly, and rows that meet the client area (the last one perhaps in part).
int32_t PageRows(int32_t clientHeight, int32_t rowHeight);
int32_t RowsMeetingClient(int32_t clientHeight, int32_t rowHeight);

struct VScrollBar {
  int32_t scale;        // rows per scroll-bar position
  int32_t maxPosition;  // the range is 0 .. maxPosition
  int32_t position;
};
int32_t VScrollScale(int32_t rowCount);
// The vertical bar after a refresh (only meaningful while RowCount > 0).
VScrollBar VerticalBar(int32_t rowCount, int32_t topLine);

struct VScrollRequest {
  int code;            // the low word of wParam
  int32_t thumb;       // the thumb position of codes 4 and 5
  int32_t target;      // lParam of code 12
  int32_t topLine;
  int32_t rowCount;
  int32_t pageRows;
  int32_t clientHeight;
  int32_t rowHeight;
  int32_t scale;       // VScrollScale
};
// The new TopLine, clamped to the rows there are; nothing for a code the window ignores.
std::optional<int32_t> NewTopLine(const VScrollRequest& request);

struct HScrollRequest {
  int code;
  int32_t thumb;       // the high word of wParam for codes 4 and 5
  int32_t target;      // lParam of code 12
  int32_t leftColumn;
  int32_t visibleColumns;
  int32_t lineMax;
  int32_t limit;       // HScrollLimit
};
// The new LeftColumn, clamped to 0 .. limit; nothing for an ignored code.
std::optional<int32_t> NewLeftColumn(const HScrollRequest& request);

// The horizontal bar after a resize or refresh: shown with the range 0 .. limit while the
// limit is positive, hidden otherwise.  When leftColumn changes, the area right of TextLeft
// scrolls by (old - new) columns.
struct HScrollBarState {
  bool shown;
  int32_t maxPosition;
  int32_t position;
  int32_t leftColumn;
};
HScrollBarState UpdateHScrollBar(int32_t limit, int32_t leftColumn);

// The mouse wheel: a notch is 120 units of delta, positive away from the user (up).  The system
// setting gives the rows per notch, or kWheelPageScroll for a page per notch.  Partial notches
// (fine-grained wheels) add up in `pending` until they make whole rows.
constexpr uint32_t kWheelPageScroll = 0xFFFFFFFFu;
constexpr int32_t kWheelNotch = 120;
struct WheelScroll {
  int32_t rows;     // rows to move down (negative: up)
  int32_t pending;  // delta units kept for the next message
};
WheelScroll WheelRows(int32_t delta, int32_t pending, uint32_t rowsPerNotch, int32_t pageRows);
