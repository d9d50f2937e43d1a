// One text row laid out in display columns for painting: the four layer strings (normal text,
// control-code carets, selected text, selected carets), the tab marks, the line-end mark, and
// where the selected part begins and ends.  Column rules are those of the row scan: a
// double-byte character takes two columns and is never split, a tab runs to the next multiple
// of the tab size, a control code shown as caret and letter takes two.
#pragma once

#include <cstdint>

constexpr int kLayerColumns = 255;
constexpr int kLayerCount = 4;
constexpr int kNormalTextLayer = 0;
constexpr int kCaretLayer = 1;
constexpr int kSelectedTextLayer = 2;
constexpr int kSelectedCaretLayer = 3;
constexpr int kMaxTabMarks = 256;

// The selected bytes [from, to) of one row.  Nothing: from 999, to -1; the whole row in row
// mode: from -1, to 999.
constexpr int32_t kSelectionNone = 999;
struct RowSelection {
  int32_t from = kSelectionNone;
  int32_t to = -1;
  bool WholeRow() const { return from == -1 && to == kSelectionNone; }
};

struct SelectionEnd {
  int32_t row;
  int32_t column;
};
struct OrderedSelection {
  SelectionEnd first;
  SelectionEnd last;
};

// The two ends of `selection` (anchor row, end row, anchor column, end column) with the
// earlier one first: by row, then by column.
OrderedSelection OrderSelectionEnds(const int32_t selection[4]);
// The part of row `row` that `selection` covers.
RowSelection SelectedBytesOfRow(const int32_t selection[4], int32_t row);

struct TabMark {
  int32_t column;  // relative to LeftColumn (negative: scrolled out on the left)
  bool selected;
};

struct RowLayoutOptions {
  int32_t leftColumn = 0;
  int32_t tabSize = 8;
  bool showControlCodes = true;
};

struct RowLayout {
  char layers[kLayerCount][kLayerColumns + 1];  // each NUL-terminated after its length
  int layerLength[kLayerCount];                 // trailing blanks cut
  TabMark tabs[kMaxTabMarks];
  int tabCount;
  int32_t lineEndColumn;  // relative to LeftColumn
  bool lineEndSelected;
  bool split;  // a double-byte character starts one column left of LeftColumn
  int32_t firstSelected;  // column of the first selected byte; -1 when none is selected
  int32_t afterSelected;  // column after the last selected byte; -1 when none is selected
};

// Lays out the `length` bytes of a row's text (as FormatRow gives it, without the line end).
// Characters that would reach past the layers' 255 columns are left out of the layers; the
// columns of the marks still count them.
void LayOutRow(const char* text, int length, RowSelection selection, const RowLayoutOptions& options,
               RowLayout& layout);

// Which part of a layer is drawn at TextLeft: from LeftColumn on, one column earlier when the
// row is split.  False when the layer has nothing there.
bool LayerTextToDraw(const RowLayout& layout, int layer, int32_t leftColumn, int* start, int* count);

// The inverted background of a row, in pixels of the text window: [left, right), empty when
// left == right.
struct InvertedSpan {
  int32_t left;
  int32_t right;
};
InvertedSpan SelectedBackground(const RowLayout& layout, RowSelection selection, int32_t leftColumn,
                                int32_t textLeft, int32_t charWidth, int32_t rowWidth);

// The mark whose flag a row shows: the lowest-numbered mark on the row, or -1.
int FlagMarkOfRow(const int32_t marks[4], int32_t row);
