// The layout of a line-list item: the number column in text mode only, the rule in the middle
// of its sixth column, the row's text from column 0, and the marks at the columns the text
// window would put them, never beyond the drawn columns.
#include "viewer/search/list_row_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace {

RowLayout Lay(const std::string& text, int32_t tabSize = 4, bool controls = true) {
  RowLayout layout;
  LayOutListRow(text.data(), int(text.size()), tabSize, controls, layout);
  return layout;
}

std::string Layer(const RowLayout& layout, int layer) {
  return std::string(layout.layers[layer], size_t(layout.layerLength[layer]));
}

TEST(ListRowLayout, TextModeHasTheNumberColumnBinaryModeDoesNot) {
  const ListRowFrame text = ListRowFrameAt(0, 8, 10, 0);
  EXPECT_TRUE(text.numbered);
  EXPECT_EQ(text.textLeft, 10 + 6 * 8);
  EXPECT_EQ(text.ruleLeft, 5 * 8 + 4 - 1);
  EXPECT_EQ(text.ruleRight, 5 * 8 + 4 + 1);
  // An item that does not start at 0 moves as a whole; an odd width rounds the middle down.
  const ListRowFrame shifted = ListRowFrameAt(3, 7, 2, 0);
  EXPECT_EQ(shifted.textLeft, 3 + 2 + 42);
  EXPECT_EQ(shifted.ruleLeft, 3 + 35 + 3 - 1);
  const ListRowFrame binary = ListRowFrameAt(0, 8, 10, 1);
  EXPECT_FALSE(binary.numbered);
  EXPECT_EQ(binary.textLeft, 10);
}

TEST(ListRowLayout, NumberIsOneBasedInFiveColumns) {
  char number[16];
  EXPECT_EQ(ListRowNumber(0, number), 5);
  EXPECT_STREQ(number, "    1");
  ListRowNumber(99998, number);
  EXPECT_STREQ(number, "99999");
  // Wider numbers push on rather than being cut.
  EXPECT_EQ(ListRowNumber(123455, number), 6);
  EXPECT_STREQ(number, "123456");
}

TEST(ListRowLayout, RowIsLaidOutFromColumnZeroWithoutSelection) {
  const RowLayout layout = Lay("a\tb\x01" "\x8A\xBF");
  EXPECT_EQ(Layer(layout, kNormalTextLayer), "a   b A\x8A\xBF");
  EXPECT_EQ(Layer(layout, kCaretLayer), "     ^");
  EXPECT_EQ(layout.layerLength[kSelectedTextLayer], 0);
  EXPECT_EQ(layout.layerLength[kSelectedCaretLayer], 0);
  // Without visible control codes the byte takes one column of its own.
  EXPECT_EQ(Layer(Lay("b\x01" "c", 4, false), kCaretLayer), "");
}

TEST(ListRowLayout, MarksFollowTheFlagsAndTheColumns) {
  const RowLayout layout = Lay("ab\tc\td");  // tabs at columns 2 and 5, line end at 9
  const auto all = ListRowMarks(layout, true, true, true, 100, 8);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[0].x, 100 + 9 * 8);
  EXPECT_EQ(all[0].sourceX, 0);
  EXPECT_EQ(all[0].width, kLineEndMarkWidth);
  EXPECT_EQ(all[1].x, 100 + 2 * 8);
  EXPECT_EQ(all[1].sourceX, kTabMarkSourceX);
  EXPECT_EQ(all[1].width, kTabMarkWidth);
  EXPECT_EQ(all[2].x, 100 + 5 * 8);
  // A row that does not end a line has no line-end mark; each flag turns its marks off.
  EXPECT_EQ(ListRowMarks(layout, false, true, true, 100, 8).size(), 2u);
  EXPECT_EQ(ListRowMarks(layout, true, false, true, 100, 8).size(), 2u);
  EXPECT_EQ(ListRowMarks(layout, true, true, false, 100, 8).size(), 1u);
  EXPECT_TRUE(ListRowMarks(layout, true, false, false, 100, 8).empty());
}

TEST(ListRowLayout, MarksBeyondTheDrawnColumnsAreLeftOut) {
  // 250 letters, then tabs of size 8 at columns 250 and 256: only the first is drawn, and the
  // line end (column 264) is past the layers too.
  const RowLayout layout = Lay(std::string(250, 'x') + "\t\t", 8);
  const auto marks = ListRowMarks(layout, true, true, true, 0, 1);
  ASSERT_EQ(marks.size(), 1u);
  EXPECT_EQ(marks[0].x, 250);
  EXPECT_EQ(marks[0].sourceX, kTabMarkSourceX);
}

}  // namespace
