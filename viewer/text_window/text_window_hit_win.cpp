// Which row and byte of the document lie under a point of the text window, measured from the
// same origin as painting, and which right-button menu a click there opens.
#include <algorithm>
#include <cstdint>

#include "viewer/document/document.h"
#include "viewer/document/row_layout.h"
#include "text/sjis.h"
#include "viewer/text_window/text_window_parts_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

struct RowText {
  char bytes[kMaxRowBytes + 1];
  int length = 0;
  bool endsLine = false;
};

// Display columns and the hit boundary (the middle of the character, in pixels from column 0)
// of the character at byte j; `j == length` is the line-end position.
struct CharacterSpan {
  int bytes;
  int64_t columns;
  int64_t boundary;
};

CharacterSpan SpanAt(const RowText& row, int j, int64_t c) {
  const int64_t w = CharWidth;
  const uint8_t b = uint8_t(row.bytes[j]);
  if (j < row.length && IsSjisLead(b) && j + 1 < row.length && IsSjisTrail(uint8_t(row.bytes[j + 1])))
    return {2, 2, (c + 1) * w};
  if (j < row.length && b == '\t') {
    const int64_t tab = TabSize < 1 ? 1 : TabSize;
    const int64_t columns = tab - c % tab;
    return {1, columns, c * w + columns * w / 2};
  }
  if (j == row.length || (b < 0x20 && ShowControlCodes)) return {1, 2, (c + 1) * w};
  return {1, 1, c * w + w / 2};
}

// The byte offset under x (relative to column 0 of the row's text, margin included).
int32_t ColumnUnder(int32_t row, int64_t x) {
  RowText text;
  text.endsLine = FormatRow(row, text.bytes, &text.length) == 1;
  const int positions = text.length + (text.endsLine ? 1 : 0);
  int64_t c = 0;
  int64_t lastBoundary = 0;
  for (int j = 0; j < positions;) {
    CharacterSpan span = SpanAt(text, j, c);
    if (x < span.boundary + Spacing) return j;
    lastBoundary = span.boundary;
    j += span.bytes;
    c += span.columns;
  }
  if (!text.endsLine || x >= lastBoundary + Spacing + 6) return -1;
  const char* end = RowPointer(row, text.length);
  return text.length + (end[0] == '\r' && end[1] == '\n' ? 2 : 1);
}

bool Before(const TextPosition& a, const SelectionEnd& b) {
  return a.row != b.row ? a.row < b.row : a.column < b.column;
}

bool InsideSelection(POINT point) {
  const int32_t* selection = TheDocument.Selection;
  if (selection[0] == -1) return false;
  TextPosition hit = HitTest(point);
  if (selection[2] == -1) {
    return std::min(selection[0], selection[1]) <= hit.row && hit.row <= std::max(selection[0], selection[1]);
  }
  OrderedSelection ends = OrderSelectionEnds(selection);
  const bool beforeFirst = Before(hit, ends.first);
  const bool beforeLast = Before(hit, ends.last);
  return !beforeFirst && beforeLast;
}

}  // namespace

TextPosition HitTest(POINT point) {
  const int32_t height = TheDocument.RowHeight < 1 ? 1 : TheDocument.RowHeight;
  const int64_t row = std::max<int64_t>(0, int64_t(point.y / height) + TheDocument.TopLine);
  int64_t x = point.x + int64_t(TheDocument.LeftColumn) * CharWidth;
  x -= CurrentTextLeft() - Spacing;  // the line-number column, when there is one
  const int32_t rowNumber = int32_t(std::min<int64_t>(row, INT32_MAX));
  if (x < Spacing) return {rowNumber, -1};
  return {rowNumber, ColumnUnder(rowNumber, x)};
}

int ContextMenuAt(POINT point) {
  if (InsideSelection(point)) return 0;
  if (point.x < CurrentTextLeft()) return 1;
  return 2;
}
