// Row layout for painting: walks a row's bytes once, putting every character into its layer
// at its display column, and records the marks and the selected columns on the way.
#include "viewer/document/row_layout.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "text/sjis.h"

namespace {

bool Before(const SelectionEnd& a, const SelectionEnd& b) {
  return a.row != b.row ? a.row < b.row : a.column < b.column;
}

int32_t Saturated(int64_t column) {
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int32_t>::min();
  return int32_t(std::clamp(column, kMin, kMax));
}

// Writes `count` bytes at `column` of a layer, only when all of them fit: a character is
// never cut in half at the layers' end.
void Put(RowLayout& layout, int layer, int64_t column, const char* bytes, int count) {
  if (column < 0 || column + count > kLayerColumns) return;
  std::memcpy(layout.layers[layer] + column, bytes, size_t(count));
}

void CutTrailingBlanks(RowLayout& layout) {
  for (int layer = 0; layer < kLayerCount; ++layer) {
    int n = kLayerColumns;
    while (n > 0 && layout.layers[layer][n - 1] == ' ') --n;
    layout.layers[layer][n] = '\0';
    layout.layerLength[layer] = n;
  }
}

void StartLayout(RowLayout& layout) {
  for (auto& layer : layout.layers) {
    std::memset(layer, ' ', kLayerColumns);
    layer[kLayerColumns] = '\0';
  }
  layout.tabCount = 0;
  layout.split = false;
  layout.firstSelected = -1;
  layout.afterSelected = -1;
}

}  // namespace

OrderedSelection OrderSelectionEnds(const int32_t selection[4]) {
  SelectionEnd anchor{selection[0], selection[2]};
  SelectionEnd end{selection[1], selection[3]};
  if (Before(end, anchor)) return {end, anchor};
  return {anchor, end};
}

RowSelection SelectedBytesOfRow(const int32_t selection[4], int32_t row) {
  if (selection[0] == -1) return {};
  const bool rowMode = selection[2] == -1;
  OrderedSelection ends = OrderSelectionEnds(selection);
  if (rowMode) {
    // The rows between the two ends are selected whole, whatever the end column says.
    int32_t low = std::min(selection[0], selection[1]);
    int32_t high = std::max(selection[0], selection[1]);
    if (row < low || row > high) return {};
    return {-1, kSelectionNone};
  }
  if (ends.first.row == ends.last.row && ends.first.column == ends.last.column) return {};
  if (row < ends.first.row || row > ends.last.row) return {};
  RowSelection range;
  range.from = row == ends.first.row ? ends.first.column : 0;
  range.to = row == ends.last.row ? ends.last.column : kSelectionNone;
  return range;
}

void LayOutRow(const char* text, int length, RowSelection selection, const RowLayoutOptions& options,
               RowLayout& layout) {
  StartLayout(layout);
  const int64_t tab = options.tabSize < 1 ? 1 : options.tabSize;
  const int64_t left = options.leftColumn;
  int64_t c = 0;
  for (int j = 0; j < length;) {
    const uint8_t b = uint8_t(text[j]);
    const bool selected = selection.from <= j && j < selection.to;
    const int textLayer = selected ? kSelectedTextLayer : kNormalTextLayer;
    const int64_t start = c;
    if (IsSjisLead(b) && j + 1 < length && IsSjisTrail(uint8_t(text[j + 1]))) {
      Put(layout, textLayer, c, text + j, 2);
      if (c == left - 1) layout.split = true;
      c += 2;
      j += 2;
    } else if (b == '\t') {
      if (layout.tabCount < kMaxTabMarks) layout.tabs[layout.tabCount++] = {Saturated(c - left), selected};
      c = (c / tab + 1) * tab;
      ++j;
    } else if (options.showControlCodes && b < 0x20) {
      const char caret = '^';
      const char letter = char(b + 0x40);
      if (c + 2 <= kLayerColumns) {
        Put(layout, selected ? kSelectedCaretLayer : kCaretLayer, c, &caret, 1);
        Put(layout, textLayer, c + 1, &letter, 1);
      }
      c += 2;
      ++j;
    } else {
      Put(layout, textLayer, c, text + j, 1);
      c += 1;
      ++j;
    }
    if (selected) {
      if (layout.firstSelected < 0) layout.firstSelected = Saturated(start);
      layout.afterSelected = Saturated(c);
    }
  }
  layout.lineEndColumn = Saturated(c - left);
  layout.lineEndSelected = length < selection.to;
  CutTrailingBlanks(layout);
}

bool LayerTextToDraw(const RowLayout& layout, int layer, int32_t leftColumn, int* start, int* count) {
  const int length = layout.layerLength[layer];
  if (length == 0 || length < leftColumn) return false;
  int from = leftColumn - (layout.split ? 1 : 0);
  if (from < 0) from = 0;
  if (from >= length) return false;
  *start = from;
  *count = length - from;
  return true;
}

InvertedSpan SelectedBackground(const RowLayout& layout, RowSelection selection, int32_t leftColumn,
                                int32_t textLeft, int32_t charWidth, int32_t rowWidth) {
  if (selection.WholeRow()) return {0, rowWidth};
  if (layout.firstSelected == layout.afterSelected) return {0, 0};
  auto x = [&](int32_t column) {
    int64_t offset = std::max<int64_t>(0, (int64_t(column) - leftColumn) * charWidth);
    return Saturated(std::min<int64_t>(textLeft + offset, rowWidth));
  };
  return {x(layout.firstSelected), x(layout.afterSelected)};
}

int FlagMarkOfRow(const int32_t marks[4], int32_t row) {
  if (row < 0) return -1;  // -1 stands for an unset mark
  for (int k = 0; k < 4; ++k) {
    if (marks[k] == row) return k;
  }
  return -1;
}
