// The clipboard texts over loaded documents: rows, the screen near the end, selections in
// both modes and either direction, the quoted copy's prefixes and tab expansion, and the
// selection of a search hit that runs over a wrapped row.
#include "viewer/document/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>

#include "viewer/document/document_test_support.h"
#include "viewer/document/selection_range.h"

namespace {

const std::string kQuote = "》";

class ClipboardText : public DocumentTest {
 protected:
  void Show(const std::string& bytes) { ASSERT_EQ(OpenAndLoad(WriteTemp("clip.txt", bytes)), DocumentResult::kOk); }
  std::string Selected(int32_t anchorRow, int32_t endRow, int32_t anchorColumn, int32_t endColumn,
                       int32_t pageRows = 3) {
    const int32_t selection[4] = {anchorRow, endRow, anchorColumn, endColumn};
    return SelectionText(selection, pageRows);
  }
  std::string Quoted(int32_t anchorRow, int32_t endRow, int32_t anchorColumn, int32_t endColumn,
                     const std::string& prefix = kQuote) {
    const int32_t selection[4] = {anchorRow, endRow, anchorColumn, endColumn};
    return QuotedSelectionText(selection, 3, prefix, host.rows.tabSize);
  }
};

TEST_F(ClipboardText, RowsAndTheScreenStopAtTheEndOfTheText) {
  Show("one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(CopyRows(0, 1), "one\r\n");
  EXPECT_EQ(CopyRows(1, 2), "two\r\nthree\r\n");
  EXPECT_EQ(CopyRows(2, 100), "three\r\nfour");
  TheDocument.TopLine = 1;
  EXPECT_EQ(ScreenText(2), "two\r\nthree\r\n");
  TheDocument.TopLine = 2;  // fewer rows than a page remain
  EXPECT_EQ(ScreenText(10), "three\r\nfour");
  EXPECT_EQ(WholeText(), "one\r\ntwo\r\nthree\r\nfour");
}

TEST_F(ClipboardText, WholeTextLoadsTheRestFirst) {
  std::string text;
  for (int i = 0; i < 2000; ++i) text += "row " + std::to_string(i) + "\n";
  ASSERT_EQ(OpenDocument(WriteTemp("whole.txt", text).c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  ASSERT_GT(TheDocument.BytesLeft, 0u);
  EXPECT_EQ(WholeText(), text);
}

TEST_F(ClipboardText, NoOrAnEmptySelectionCopiesTheScreen) {
  Show("a\r\nb\r\nc\r\nd\r\n");
  TheDocument.TopLine = 1;
  EXPECT_EQ(Selected(-1, -1, -1, -1, 2), "b\r\nc\r\n");
  EXPECT_EQ(Selected(3, 3, 1, 1, 2), "b\r\nc\r\n");  // pressed and released without moving
  EXPECT_EQ(Quoted(-1, -1, -1, -1), kQuote + "b\r\n" + kQuote + "c\r\n" + kQuote + "d\r\n");
}

TEST_F(ClipboardText, CharacterSelectionInEitherDirection) {
  Show("ABCDEF\r\n漢字\r\nxyz");
  EXPECT_EQ(Selected(0, 1, 3, 2), "DEF\r\n漢");
  EXPECT_EQ(Selected(1, 0, 2, 3), "DEF\r\n漢");  // dragged upwards
  EXPECT_EQ(Selected(0, 0, 1, 8), "BCDEF\r\n");   // past the line end: CR LF included
  EXPECT_EQ(Selected(1, 0, 2, 0), "ABCDEF\r\n漢");  // up into the margin of row 0
  // Dragged below the last row: the rest of the text.
  EXPECT_EQ(Selected(2, 9, 1, 0), "yz");
  EXPECT_EQ(Selected(1, 7, 0, 0), "漢字\r\nxyz");
}

TEST_F(ClipboardText, RowSelectionTakesWholeRowsInEitherOrder) {
  Show("a\r\nbb\r\nccc\r\n");
  EXPECT_EQ(Selected(1, 1, -1, -1), "bb\r\n");  // a double-click
  EXPECT_EQ(Selected(2, 0, -1, 4), "a\r\nbb\r\nccc\r\n");
  EXPECT_EQ(Quoted(0, 1, -1, -1), kQuote + "a\r\n" + kQuote + "bb\r\n");
}

TEST_F(ClipboardText, QuotedCopyPrefixesEveryLine) {
  Show("ab\r\nc");
  EXPECT_EQ(Quoted(0, 1, 0, 1), kQuote + "ab\r\n" + kQuote + "c");
  EXPECT_EQ(Quoted(0, 1, 0, 0), kQuote + "ab\r\n");  // no prefix after the last line end
  EXPECT_EQ(Quoted(0, 1, 1, 1, "> "), "> b\r\n> c");
}

TEST_F(ClipboardText, QuotedCopyEndsLinesAtCrAloneAndLfAlone) {
  Show("a\rb\nc\r\nd");
  ASSERT_EQ(TheDocument.RowCount, 4);
  EXPECT_EQ(Quoted(0, 3, 0, 1, ">"), ">a\r>b\n>c\r\n>d");
}

TEST_F(ClipboardText, QuotedCopyExpandsTabsFromTheStartColumn) {
  host.rows.tabSize = 4;
  Show("x\tab\tc\r\n\td");
  // From the tab at column 1: it runs to column 4; the next one from 6 to 8; after the line
  // end the columns start again at 0.
  EXPECT_EQ(Quoted(0, 1, 1, 2, ">"), ">   ab  c\r\n>    d");
  // From "a", which the tab before it put at column 4 of the row.
  EXPECT_EQ(Quoted(0, 0, 2, 6, ">"), ">ab  c");
  // A double-byte character counts two columns.
  Show("漢\tx");
  EXPECT_EQ(Quoted(0, 0, 0, 4, ">"), ">漢  x");
}

TEST_F(ClipboardText, HitSelectionContinuesOnWrappedRows) {
  host.rows.lineMax = 10;
  Show("0123456789abcdefghij\r\nnext");
  ASSERT_EQ(TheDocument.RowCount, 3);
  int32_t selection[4];
  HitSelection(0, TheDocument.Text + 8, 5, selection);  // "89abc"
  EXPECT_EQ(selection[0], 0);
  EXPECT_EQ(selection[1], 1);
  EXPECT_EQ(selection[2], 8);
  EXPECT_EQ(selection[3], 3);
  EXPECT_EQ(SelectionText(selection, 1), "89abc");
  HitSelection(2, TheDocument.Text + 22, 4, selection);  // "next", up to the end of the text
  EXPECT_EQ(selection[1], 2);
  EXPECT_EQ(selection[3], 4);
  HitSelection(0, TheDocument.Text + 2, 3, selection);  // within one row
  EXPECT_EQ(selection[1], 0);
  EXPECT_EQ(selection[3], 5);
}

}  // namespace

TEST(ClipboardLineEnds, EveryLineEndBecomesCrLfOnce) {
  EXPECT_EQ(WithCrLfLineEnds("one\ntwo\n"), "one\r\ntwo\r\n");
  EXPECT_EQ(WithCrLfLineEnds("one\r\ntwo\r\n"), "one\r\ntwo\r\n");  // not doubled
  EXPECT_EQ(WithCrLfLineEnds("a\rb\n\nc\r"), "a\r\nb\r\n\r\nc\r\n");  // CR alone ends a line too
  EXPECT_EQ(WithCrLfLineEnds("\r\r\n\n\r"), "\r\n\r\n\r\n\r\n");
  EXPECT_EQ(WithCrLfLineEnds("no end"), "no end");
  EXPECT_EQ(WithCrLfLineEnds(""), "");
  // Shift-JIS passes through: no trail byte is a CR or an LF.
  EXPECT_EQ(WithCrLfLineEnds("表示\n漢字"), "表示\r\n漢字");
}
