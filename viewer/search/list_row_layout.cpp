// The places of an item's parts in a line-list window (see list_row_layout.h).
#include "viewer/search/list_row_layout.h"

#include <cstdio>

namespace {

bool DrawnColumn(int32_t column) { return column >= 0 && column < kLayerColumns; }

}  // namespace

ListRowFrame ListRowFrameAt(int32_t x, int32_t charWidth, int32_t spacing, int32_t displayMode) {
  ListRowFrame frame{};
  frame.numbered = displayMode == 0;
  frame.textLeft = x + spacing + (frame.numbered ? kListNumberColumns * charWidth : 0);
  const int32_t middle = x + 5 * charWidth + charWidth / 2;
  frame.ruleLeft = middle - 1;
  frame.ruleRight = middle + 1;
  return frame;
}

int ListRowNumber(int32_t row, char (&out)[16]) {
  return std::snprintf(out, sizeof out, "%5ld", long(row) + 1);
}

void LayOutListRow(const char* text, int length, int32_t tabSize, bool showControlCodes, RowLayout& layout) {
  const RowLayoutOptions options{0, tabSize, showControlCodes};
  LayOutRow(text, length, RowSelection{}, options, layout);
}

std::vector<ListRowMark> ListRowMarks(const RowLayout& layout, bool endsLine, bool showCrMarks,
                                      bool showTabMarks, int32_t textLeft, int32_t charWidth) {
  std::vector<ListRowMark> marks;
  if (showCrMarks && endsLine && DrawnColumn(layout.lineEndColumn))
    marks.push_back({textLeft + layout.lineEndColumn * charWidth, 0, kLineEndMarkWidth});
  if (!showTabMarks) return marks;
  for (int t = 0; t < layout.tabCount; ++t) {
    const int32_t column = layout.tabs[t].column;
    if (DrawnColumn(column)) marks.push_back({textLeft + column * charWidth, kTabMarkSourceX, kTabMarkWidth});
  }
  return marks;
}
