// Where the parts of one item of a line-list window go: the item shows a document row as the
// text window shows it, starting at column 0, after the left margin and, in text mode, a
// line-number column ("%5ld" and a double rule in the middle of its sixth column).  The row's
// text and control layers come from LayOutRow; this adds the places of the number, the rule
// and the line-end and tab marks.
#pragma once

#include <cstdint>
#include <vector>

#include "viewer/document/row_layout.h"

// Widths and places of the marks in the mark strip (the text window's glyph bitmap).
constexpr int32_t kLineEndMarkWidth = 12;
constexpr int32_t kTabMarkWidth = 6;
constexpr int32_t kTabMarkSourceX = 12;
// Character columns of the line-number column in text mode.
constexpr int32_t kListNumberColumns = 6;

struct ListRowFrame {
  int32_t textLeft;   // x of column 0
  bool numbered;      // the row number and its rule are drawn (text mode)
  int32_t ruleLeft;   // x of the rule's two lines
  int32_t ruleRight;
};
// The frame of an item whose left edge is x.
ListRowFrame ListRowFrameAt(int32_t x, int32_t charWidth, int32_t spacing, int32_t displayMode);

// The row number as the item shows it: "%5ld" of row + 1.  Returns its length.
int ListRowNumber(int32_t row, char (&out)[16]);

// Lays out a row's text from column 0 with no selection.
void LayOutListRow(const char* text, int length, int32_t tabSize, bool showControlCodes, RowLayout& layout);

struct ListRowMark {
  int32_t x;        // where it goes in the item
  int32_t sourceX;  // where it is in the mark strip
  int32_t width;
};
// The marks of a laid-out row: the line-end mark after the last column (when the row ends a
// line), the tab mark at each tab.  Marks on columns the layers do not draw are left out.
std::vector<ListRowMark> ListRowMarks(const RowLayout& layout, bool endsLine, bool showCrMarks,
                                      bool showTabMarks, int32_t textLeft, int32_t charWidth);
