// Row layout: columns of tabs, double-byte characters and control codes, the four layers,
// the marks, the split row at LeftColumn, selection ranges and the selected background.
#include "viewer/document/row_layout.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "viewer/document/row_scan.h"

namespace {

struct Laid {
  RowLayout layout;
  std::string Layer(int k) const { return std::string(layout.layers[k], size_t(layout.layerLength[k])); }
};

Laid Lay(const std::string& text, RowSelection selection = {}, int32_t left = 0, int32_t tab = 4,
         bool controls = true) {
  Laid laid;
  LayOutRow(text.data(), int(text.size()), selection, {left, tab, controls}, laid.layout);
  return laid;
}

const std::string kKan = "\x8A\xBF";  // a double-byte character

TEST(RowLayout, TabsRunToTheNextStop) {
  Laid a = Lay("a\tb");
  EXPECT_EQ(a.Layer(kNormalTextLayer), "a   b");
  ASSERT_EQ(a.layout.tabCount, 1);
  EXPECT_EQ(a.layout.tabs[0].column, 1);
  EXPECT_FALSE(a.layout.tabs[0].selected);
  EXPECT_EQ(a.layout.lineEndColumn, 5);
  // A tab at a stop advances a whole stop: tabs at columns 0, 7, 8 and 13 with size 4.
  Laid b = Lay("\tabc\t\tx\t", {}, 0, 4);
  EXPECT_EQ(b.Layer(0), "    abc     x");
  ASSERT_EQ(b.layout.tabCount, 4);
  EXPECT_EQ(b.layout.tabs[0].column, 0);
  EXPECT_EQ(b.layout.tabs[1].column, 7);
  EXPECT_EQ(b.layout.tabs[2].column, 8);
  EXPECT_EQ(b.layout.tabs[3].column, 13);
  EXPECT_EQ(b.layout.lineEndColumn, 16);
  // Tab size 1 and a nonsensical 0 both advance one column per tab.
  EXPECT_EQ(Lay("\t\tz", {}, 0, 1).Layer(0), "  z");
  EXPECT_EQ(Lay("\t\tz", {}, 0, 0).Layer(0), "  z");
}

TEST(RowLayout, DoubleByteCharactersAndLoneLeadBytes) {
  Laid a = Lay("a" + kKan + "b");
  EXPECT_EQ(a.Layer(0), "a" + kKan + "b");
  EXPECT_EQ(a.layout.lineEndColumn, 4);
  // A lead byte before a tab is no pair: one column, then the tab.
  Laid b = Lay("\x8A\tc");
  EXPECT_EQ(b.Layer(0), "\x8A   c");
  EXPECT_EQ(b.layout.tabs[0].column, 1);
  // A lead byte at the row's end takes one column.
  EXPECT_EQ(Lay("ab\x8A").layout.lineEndColumn, 3);
}

TEST(RowLayout, ControlCodesAsCaretAndLetter) {
  Laid shown = Lay(std::string("x\x01y\x1B", 4));
  EXPECT_EQ(shown.Layer(kNormalTextLayer), "x Ay [");
  EXPECT_EQ(shown.Layer(kCaretLayer), " ^  ^");
  EXPECT_EQ(shown.layout.lineEndColumn, 6);
  // Without control codes shown the byte itself takes one column in the text layer.
  Laid raw = Lay(std::string("x\x01y", 3), {}, 0, 4, false);
  EXPECT_EQ(raw.Layer(kNormalTextLayer), std::string("x\x01y", 3));
  EXPECT_EQ(raw.Layer(kCaretLayer), "");
  EXPECT_EQ(raw.layout.lineEndColumn, 3);
  // A tab is a tab either way, never a caret.
  EXPECT_EQ(Lay("\t").Layer(kCaretLayer), "");
}

TEST(RowLayout, TrailingBlanksAreCutFromEveryLayer) {
  Laid a = Lay("ab   \t ");
  EXPECT_EQ(a.Layer(0), "ab");
  EXPECT_EQ(a.layout.layers[0][2], '\0');
  for (int k = 1; k < kLayerCount; ++k) EXPECT_EQ(a.layout.layerLength[k], 0) << k;
  EXPECT_EQ(a.layout.lineEndColumn, 9);
  EXPECT_EQ(Lay("").layout.lineEndColumn, 0);
}

TEST(RowLayout, MarkColumnsAreRelativeToLeftColumn) {
  Laid a = Lay("a\tbcdefgh\t", {}, 6, 4);
  EXPECT_EQ(a.layout.tabs[0].column, 1 - 6);
  EXPECT_EQ(a.layout.tabs[1].column, 11 - 6);
  EXPECT_EQ(a.layout.lineEndColumn, 12 - 6);
  // The layers keep absolute columns; the painter starts at LeftColumn.
  EXPECT_EQ(a.Layer(0), "a   bcdefgh");
}

TEST(RowLayout, PairStartingOneColumnLeftOfLeftColumnSplitsTheRow) {
  // The pair occupies columns 3 and 4.
  std::string text = "abc" + kKan + "d";
  EXPECT_TRUE(Lay(text, {}, 4).layout.split);
  EXPECT_FALSE(Lay(text, {}, 3).layout.split);
  EXPECT_FALSE(Lay(text, {}, 5).layout.split);
  EXPECT_FALSE(Lay(text, {}, 0).layout.split);
  // Only a pair splits: a control code there does not.
  EXPECT_FALSE(Lay("abc\x01" "d", {}, 4).layout.split);

  int start = 0, count = 0;
  Laid split = Lay(text, {}, 4);
  ASSERT_TRUE(LayerTextToDraw(split.layout, 0, 4, &start, &count));
  EXPECT_EQ(start, 3);  // the whole pair, drawn one column left of TextLeft
  EXPECT_EQ(count, 3);
  Laid whole = Lay(text, {}, 3);
  ASSERT_TRUE(LayerTextToDraw(whole.layout, 0, 3, &start, &count));
  EXPECT_EQ(start, 3);
  EXPECT_EQ(count, 3);
  // A layer shorter than LeftColumn, or ending exactly there, draws nothing.
  EXPECT_FALSE(LayerTextToDraw(whole.layout, 0, 7, &start, &count));
  EXPECT_FALSE(LayerTextToDraw(whole.layout, 0, 6, &start, &count));
  EXPECT_FALSE(LayerTextToDraw(whole.layout, 1, 0, &start, &count));
}

TEST(RowLayout, SelectedBytesGoToTheSelectedLayers) {
  // Bytes 1 .. 3 selected (byte offsets, not columns): the control code and the pair.
  std::string text = std::string("a\x02", 2) + kKan + "\tz";
  Laid a = Lay(text, {1, 4});
  EXPECT_EQ(a.Layer(kNormalTextLayer), "a       z");
  EXPECT_EQ(a.Layer(kCaretLayer), "");
  EXPECT_EQ(a.Layer(kSelectedTextLayer), "  B" + kKan);
  EXPECT_EQ(a.Layer(kSelectedCaretLayer), " ^");
  EXPECT_EQ(a.layout.firstSelected, 1);
  EXPECT_EQ(a.layout.afterSelected, 5);
  ASSERT_EQ(a.layout.tabCount, 1);
  EXPECT_FALSE(a.layout.tabs[0].selected);
  EXPECT_FALSE(a.layout.lineEndSelected);
  // The tab and the z selected as well: the tab mark is selected, the background runs on.
  Laid b = Lay(text, {4, 6});
  EXPECT_TRUE(b.layout.tabs[0].selected);
  EXPECT_EQ(b.layout.firstSelected, 5);
  EXPECT_EQ(b.layout.afterSelected, 9);
  EXPECT_EQ(b.Layer(kSelectedTextLayer), std::string(8, ' ') + "z");
  EXPECT_FALSE(b.layout.lineEndSelected);  // 6 bytes, to = 6
}

TEST(RowLayout, LineEndSelectedWhenTheRowEndsBeforeTo) {
  EXPECT_FALSE(Lay("abc", {0, 3}).layout.lineEndSelected);
  EXPECT_TRUE(Lay("abc", {0, 4}).layout.lineEndSelected);
  EXPECT_TRUE(Lay("abc", {0, kSelectionNone}).layout.lineEndSelected);
  EXPECT_TRUE(Lay("abc", {-1, kSelectionNone}).layout.lineEndSelected);
  EXPECT_FALSE(Lay("abc").layout.lineEndSelected);
  // An empty row inside a selection: no byte selected, the line end is.
  Laid empty = Lay("", {0, kSelectionNone});
  EXPECT_TRUE(empty.layout.lineEndSelected);
  EXPECT_EQ(empty.layout.firstSelected, empty.layout.afterSelected);
}

TEST(RowLayout, LayersNeverRunPastTheirEnd) {
  // A row wider than 255 columns: characters that do not fit whole are left out.
  std::string wide = std::string(254, 'x') + kKan + "yz";
  Laid a = Lay(wide);
  EXPECT_EQ(a.layout.layerLength[0], 254);
  EXPECT_EQ(a.layout.lineEndColumn, 258);
  Laid b = Lay(std::string(253, 'x') + kKan);
  EXPECT_EQ(b.layout.layerLength[0], 255);
  EXPECT_EQ(b.Layer(0).substr(253), kKan);
  // A caret and letter at column 254 would need 256 columns.
  Laid c = Lay(std::string(254, 'x') + "\x01");
  EXPECT_EQ(c.layout.layerLength[0], 254);
  EXPECT_EQ(c.layout.layerLength[kCaretLayer], 0);
  // A huge tab size moves far right without overflowing.
  Laid d = Lay("a\tb\t", {}, 0, 2147483647);
  EXPECT_EQ(d.layout.tabs[1].column, 2147483647);
  EXPECT_EQ(d.layout.lineEndColumn, 2147483647);
  EXPECT_EQ(d.Layer(0), "a");
}

// The row scan and the layout count columns alike: the line-end mark sits where the scan's
// column ends, for random rows of pairs, lone lead bytes, tabs and control codes.
TEST(RowLayout, ColumnsAgreeWithTheRowScan) {
  std::mt19937 random(5);
  const char pieces[][3] = {"a", "\x8A\xBF", "\x8A", "\xBF", "\t", "\x01", "\x1F", " ", "\xB1", "\x7F"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    int pieceCount = int(random() % 60);
    for (int i = 0; i < pieceCount; ++i) text += pieces[random() % std::size(pieces)];
    const int32_t tab = int32_t(random() % 9);
    const bool controls = random() % 2 == 0;
    RowScanner scanner{100000, tab, controls};
    std::string buffer = text + '\0';
    RowScanState state{buffer.data(), 0, buffer.data()};
    uint32_t rows[128];
    ASSERT_EQ(scanner.Scan(buffer.data(), state, buffer.data() + text.size(), rows), 0);
    Laid laid = Lay(text, {}, 0, tab, controls);
    EXPECT_EQ(laid.layout.lineEndColumn, state.column) << round;
  }
}

TEST(SelectionRange, NoneEmptyAndRowMode) {
  const int32_t none[4] = {-1, -1, -1, -1};
  RowSelection r = SelectedBytesOfRow(none, 0);
  EXPECT_EQ(r.from, kSelectionNone);
  EXPECT_EQ(r.to, -1);
  const int32_t empty[4] = {3, 3, 5, 5};
  EXPECT_EQ(SelectedBytesOfRow(empty, 3).to, -1);
  const int32_t rows[4] = {7, 4, -1, 12};  // row mode, dragged upwards
  for (int32_t row : {4, 5, 7}) EXPECT_TRUE(SelectedBytesOfRow(rows, row).WholeRow()) << row;
  EXPECT_EQ(SelectedBytesOfRow(rows, 3).to, -1);
  EXPECT_EQ(SelectedBytesOfRow(rows, 8).to, -1);
  const int32_t oneRow[4] = {2, 2, -1, -1};  // a double-click
  EXPECT_TRUE(SelectedBytesOfRow(oneRow, 2).WholeRow());
}

TEST(SelectionRange, CharacterModeAcrossRowsInEitherOrder) {
  const int32_t down[4] = {1, 3, 5, 2};
  const int32_t up[4] = {3, 1, 2, 5};
  for (const int32_t* s : {down, up}) {
    RowSelection first = SelectedBytesOfRow(s, 1);
    EXPECT_EQ(first.from, 5);
    EXPECT_EQ(first.to, kSelectionNone);
    RowSelection middle = SelectedBytesOfRow(s, 2);
    EXPECT_EQ(middle.from, 0);
    EXPECT_EQ(middle.to, kSelectionNone);
    RowSelection last = SelectedBytesOfRow(s, 3);
    EXPECT_EQ(last.from, 0);
    EXPECT_EQ(last.to, 2);
    EXPECT_EQ(SelectedBytesOfRow(s, 0).to, -1);
    EXPECT_EQ(SelectedBytesOfRow(s, 4).to, -1);
  }
  // One row, dragged to the left.
  const int32_t back[4] = {6, 6, 9, 2};
  RowSelection r = SelectedBytesOfRow(back, 6);
  EXPECT_EQ(r.from, 2);
  EXPECT_EQ(r.to, 9);
}

TEST(SelectionRange, EndsOrderedByRowBeforeColumn) {
  // A line-end position past 255 on an earlier row still orders before the next row's start,
  // and row numbers beyond 8 million (row x 256 past 32 bits) order correctly.
  const int32_t wide[4] = {10, 11, 257, 0};
  OrderedSelection a = OrderSelectionEnds(wide);
  EXPECT_EQ(a.first.row, 10);
  EXPECT_EQ(a.last.row, 11);
  const int32_t far[4] = {9000000, 8999999, 1, 200};
  OrderedSelection b = OrderSelectionEnds(far);
  EXPECT_EQ(b.first.row, 8999999);
  EXPECT_EQ(b.first.column, 200);
}

TEST(SelectedBackground, SpansInPixels) {
  const int32_t textLeft = 10, charWidth = 8, width = 400;
  Laid part = Lay("abcdef", {2, 4});
  InvertedSpan s = SelectedBackground(part.layout, {2, 4}, 0, textLeft, charWidth, width);
  EXPECT_EQ(s.left, 10 + 2 * 8);
  EXPECT_EQ(s.right, 10 + 4 * 8);
  // Scrolled past the start of the selection: clipped at TextLeft.
  Laid scrolled = Lay("abcdef", {2, 4}, 3);
  s = SelectedBackground(scrolled.layout, {2, 4}, 3, textLeft, charWidth, width);
  EXPECT_EQ(s.left, 10);
  EXPECT_EQ(s.right, 10 + 8);
  // Row mode covers the whole row, margin included; nothing selected covers nothing.
  s = SelectedBackground(part.layout, {-1, kSelectionNone}, 0, textLeft, charWidth, width);
  EXPECT_EQ(s.left, 0);
  EXPECT_EQ(s.right, width);
  Laid plain = Lay("abcdef");
  s = SelectedBackground(plain.layout, {}, 0, textLeft, charWidth, width);
  EXPECT_EQ(s.left, s.right);
}

TEST(FlagMark, LowestMarkOnTheRow) {
  const int32_t marks[4] = {-1, 5, 2, 5};
  EXPECT_EQ(FlagMarkOfRow(marks, 5), 1);
  EXPECT_EQ(FlagMarkOfRow(marks, 2), 2);
  EXPECT_EQ(FlagMarkOfRow(marks, 0), -1);
  EXPECT_EQ(FlagMarkOfRow(marks, -1), -1);
}

}  // namespace
