// What the text window paints under Wine, read back pixel by pixel: colours of control codes
// and marks, selections, line numbers, double-byte characters at the margin, partial repaints,
// the mark flags and a Japanese screenshot.
#include "viewer/text_window/text_window_test_support_win.h"

#include <gtest/gtest.h>

namespace {

using namespace text_window_test;

TEST_F(TextWindowTest, ControlCodeCaretAndLetterInTheirColours) {
  Show(std::string("\x01", 1) + "\r\n" + Lines(3));  // text enough to stay in text mode
  ASSERT_EQ(TheDocument.DisplayMode, 0);
  Pixels image = Capture(TextWindow);
  const int top = RowTop(0), bottom = RowBottom(0);
  EXPECT_GT(image.Count(kCarets, ColumnX(0), top, ColumnX(1), bottom), 0);
  EXPECT_EQ(image.Count(kText, ColumnX(0), top, ColumnX(1), bottom), 0);
  EXPECT_GT(image.Count(kText, ColumnX(1), top, ColumnX(2), bottom), 0);
  EXPECT_EQ(image.Count(kCarets, ColumnX(1), top, ColumnX(2), bottom), 0);
  // Without control codes shown the row has no caret at all.
  ShowControlCodes = 0;
  host.rows.controlCodesShown = false;
  Repaint();
  image = Capture(TextWindow);
  EXPECT_EQ(image.Count(kCarets, 0, top, image.width, bottom), 0);
}

TEST_F(TextWindowTest, SelectionInvertsExactlyItsColumns) {
  Show("ABCDEFGH\r\nsecond\r\nthird\r\n");
  int32_t selection[4] = {0, 0, 2, 5};  // bytes 2, 3 and 4 of row 0
  std::copy(selection, selection + 4, TheDocument.Selection);
  Repaint();
  Pixels image = Capture(TextWindow);
  const int y = RowBottom(0) - 1;  // the line-spacing pixels: background only
  EXPECT_EQ(image.At(ColumnX(2) - 1, y), kBack);
  EXPECT_EQ(image.At(ColumnX(2), y), kInvertedBack);
  EXPECT_EQ(image.At(ColumnX(5) - 1, y), kInvertedBack);
  EXPECT_EQ(image.At(ColumnX(5), y), kBack);
  EXPECT_EQ(image.At(0, y), kBack);
  // Selected letters are drawn in the inverted text colour, the others in the text colour.
  EXPECT_GT(image.Count(RGB(255, 255, 255), ColumnX(2), RowTop(0), ColumnX(5), y), 0);
  EXPECT_GT(image.Count(kText, ColumnX(0), RowTop(0), ColumnX(2), y), 0);
  EXPECT_GT(image.Count(kText, ColumnX(5), RowTop(0), ColumnX(8), y), 0);
  EXPECT_EQ(image.Count(kBack, 0, RowTop(1), image.width, RowBottom(1)) +
                image.Count(kText, 0, RowTop(1), image.width, RowBottom(1)) +
                image.Count(kMarks, 0, RowTop(1), image.width, RowBottom(1)),
            image.Area(0, RowTop(1), image.width, RowBottom(1)));
  // Row mode: the whole width of rows 1 and 2, margin included.
  int32_t rows[4] = {2, 1, -1, -1};
  std::copy(rows, rows + 4, TheDocument.Selection);
  Repaint();
  image = Capture(TextWindow);
  for (int32_t row : {1, 2}) {
    EXPECT_EQ(image.At(0, RowBottom(row) - 1), kInvertedBack) << row;
    EXPECT_EQ(image.At(image.width - 1, RowBottom(row) - 1), kInvertedBack) << row;
  }
  EXPECT_EQ(image.At(0, RowBottom(0) - 1), kBack);
  EXPECT_EQ(image.At(0, RowBottom(3) - 1), kBack);
}

TEST_F(TextWindowTest, LineEndAndTabMarksAtTheirColumns) {
  TabSize = host.rows.tabSize = 4;
  Show("abc\r\na\tb\r\n");
  Pixels image = Capture(TextWindow);
  // Row 0: the line-end mark right after column 2, nothing of it before.
  EXPECT_GT(image.Count(kMarks, ColumnX(3), RowTop(0), ColumnX(3) + 12, RowBottom(0)), 0);
  EXPECT_EQ(image.Count(kMarks, 0, RowTop(0), ColumnX(3), RowBottom(0)), 0);
  // Row 1: the tab mark in column 1, b in column 4, the line end after it.
  EXPECT_GT(image.Count(kMarks, ColumnX(1), RowTop(1), ColumnX(1) + 6, RowBottom(1)), 0);
  EXPECT_EQ(image.Count(kMarks, ColumnX(1) + 6, RowTop(1), ColumnX(5), RowBottom(1)), 0);
  EXPECT_GT(image.Count(kText, ColumnX(4), RowTop(1), ColumnX(5), RowBottom(1)), 0);
  EXPECT_GT(image.Count(kMarks, ColumnX(5), RowTop(1), ColumnX(5) + 12, RowBottom(1)), 0);
  // A selected line end comes from the inverted half of the strip.
  int32_t selection[4] = {0, 1, 0, 0};
  std::copy(selection, selection + 4, TheDocument.Selection);
  Repaint();
  image = Capture(TextWindow);
  const COLORREF invertedMarks = RGB(255 - 0x35, 255 - 0x76, 255 - 0xC6);
  EXPECT_GT(image.Count(invertedMarks, ColumnX(3), RowTop(0), ColumnX(3) + 12, RowBottom(0)), 0);
  EXPECT_EQ(image.Count(kMarks, 0, RowTop(0), image.width, RowBottom(0)), 0);
  // Both switched off: no mark anywhere.
  ShowCrMarks = ShowTabMarks = 0;
  TheDocument.Selection[0] = -1;
  Repaint();
  image = Capture(TextWindow);
  EXPECT_EQ(image.Count(kMarks, 0, 0, image.width, image.height), 0);
}

// A page painted while the file was still loading fills in as the rest arrives: the refresh
// the loader sends marks the new rows, with no scrolling and no repaint of the whole window.
TEST_F(TextWindowTest, RowsLoadedAfterAPaintArePaintedToo) {
  LineMax = host.rows.lineMax = 200;
  std::string text;
  for (int i = 0; i < 80; ++i) text += "row " + std::to_string(i) + " " + std::string(150, 'x') + "\r\n";
  ASSERT_EQ(OpenDocument(WriteTemp("loading.txt", text).c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  LoadNextChunk();
  const int32_t early = TheDocument.RowCount;
  const int32_t visible = ClientHeight() / TheDocument.RowHeight;
  ASSERT_LT(early, visible - 2);  // the first paint shows part of the page only
  Repaint();
  LoadAll();
  SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
  UpdateWindow(TextWindow);
  Pixels image = Capture(TextWindow);
  for (int32_t row = 0; row < visible; ++row)
    EXPECT_GT(image.Count(kText, ColumnX(0), RowTop(row), ColumnX(4), RowBottom(row)), 0) << "row " << row;
  EXPECT_EQ(PositionText(), "1/81");
}

TEST_F(TextWindowTest, LineNumbersAndTheirRule) {
  ShowLineNumbers = 1;
  Show(Lines(5));
  SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
  Repaint();
  Pixels image = Capture(TextWindow);
  ASSERT_EQ(TextLeftEdge, 6 * CharWidth + Spacing);
  const int middle = 5 * CharWidth + CharWidth / 2;
  for (int32_t row = 0; row < 6; ++row) {
    EXPECT_GT(image.Count(kLines, 4 * CharWidth, RowTop(row), 5 * CharWidth, RowBottom(row)), 0) << row;
    EXPECT_EQ(image.Count(kLines, 0, RowTop(row), 4 * CharWidth, RowBottom(row)), 0) << row;
    EXPECT_EQ(image.Count(kLines, middle - 1, RowTop(row), middle, RowBottom(row)), TheDocument.RowHeight);
    EXPECT_EQ(image.Count(kLines, middle + 1, RowTop(row), middle + 2, RowBottom(row)), TheDocument.RowHeight);
    EXPECT_EQ(image.At(middle, RowTop(row)), kBack);
  }
  EXPECT_EQ(image.Count(kLines, 0, RowBottom(5), image.width, image.height), 0);
  // A row selected whole shows its number and rule in the inverted line colour.
  int32_t rows[4] = {1, 1, -1, -1};
  std::copy(rows, rows + 4, TheDocument.Selection);
  Repaint();
  image = Capture(TextWindow);
  const COLORREF invertedLines = RGB(255 - 0xD8, 255 - 0x0A, 255 - 0x8F);
  EXPECT_EQ(image.Count(invertedLines, middle - 1, RowTop(1), middle, RowBottom(1)), TheDocument.RowHeight);
  EXPECT_EQ(image.Count(kLines, 0, RowTop(1), image.width, RowBottom(1)), 0);
}

// Seven-digit row numbers widen the column: the numbers stay left of the rule and the text
// starts after it.
TEST_F(TextWindowTest, LineNumberColumnGrowsWithTheRowNumbers) {
  ShowLineNumbers = 1;
  std::string text;
  for (int i = 0; i < 1000100; ++i) text += "x\r\n";
  Show(text);
  GoToPosition(999995, 0);
  SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
  Repaint();
  ASSERT_EQ(TextLeftEdge, 8 * CharWidth + Spacing);
  Pixels image = Capture(TextWindow);
  const int middle = 7 * CharWidth + CharWidth / 2;
  for (int32_t row = 999995; row < 1000005; ++row) {
    // The seventh digit: the leading 1 of 1000000 and on, nothing before.
    EXPECT_EQ(image.Count(kLines, 0, RowTop(row), CharWidth, RowBottom(row)) > 0, row + 1 >= 1000000) << row;
    EXPECT_EQ(image.Count(kLines, middle - 1, RowTop(row), middle, RowBottom(row)), TheDocument.RowHeight) << row;
    EXPECT_EQ(image.Count(kLines, middle + 2, RowTop(row), image.width, RowBottom(row)), 0) << row;
    EXPECT_GT(image.Count(kText, ColumnX(0), RowTop(row), ColumnX(1), RowBottom(row)), 0) << row;
  }
  EXPECT_EQ(PositionText(), "999996/1000101");
  SaveScreenshot(image, "text_window_million_rows");
}

TEST_F(TextWindowTest, SplitDoubleByteCharacterLeavesTheMarginClean) {
  LineMax = host.rows.lineMax = 200;
  Show("漢字のテスト\r\n");
  HScroll(12, 1);
  ASSERT_EQ(TheDocument.LeftColumn, 1);
  Repaint();
  Pixels image = Capture(TextWindow);
  EXPECT_EQ(image.Count(kBack, 0, RowTop(0), TextLeftEdge, RowBottom(0)), TextLeftEdge * TheDocument.RowHeight);
  // The right half of 漢 is in the first visible column.
  EXPECT_GT(image.Count(kText, TextLeftEdge, RowTop(0), TextLeftEdge + CharWidth, RowBottom(0)), 0);
}

TEST_F(TextWindowTest, MarkFlagInTheMargin) {
  Spacing = 15;
  ShowLineNumbers = 1;
  Show(Lines(4));
  // A stand-in for the "Flag" resource: a filled 9 x 10 flag, then numerals.
  win::WindowDC screen(TextWindow);
  FlagBitmap.Reset(CreateCompatibleBitmap(screen, 33, 10));
  HBITMAP flag = FlagBitmap;
  {
    win::MemoryDC dc(screen);
    win::Selection selected(dc, flag);
    RECT all{0, 0, 33, 10};
    FillRect(dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    RECT body{0, 0, 9, 10};
    FillRect(dc, &body, HBRUSH(GetStockObject(WHITE_BRUSH)));
  }
  TheDocument.Marks[2] = 1;
  TheDocument.Marks[3] = 1;
  Repaint();
  Pixels image = Capture(TextWindow);
  const int x0 = TextLeftEdge - 8 - (Spacing - 9) / 2;
  // The white flag inverted onto the white background: black, except where the mask cleared it.
  EXPECT_GT(image.Count(RGB(0, 0, 0), x0, RowTop(1), x0 + 9, RowTop(1) + 10), 40);
  EXPECT_EQ(image.Count(RGB(0, 0, 0), x0, RowTop(2), x0 + 9, RowTop(2) + 10), 0);
  SaveScreenshot(Capture(TextWindow), "text_window_marks");
}

TEST_F(TextWindowTest, JapaneseTextScreenshot) {
  ShowLineNumbers = 1;
  Show("Zelko View 32 の表示テスト\r\n"
       "\t漢字とかなのＡＢＣ\t半角ｶﾅ\r\n"
       "制御コード:" + std::string("\x01\x1b", 2) + "[0m\r\n"
       "長い行は折り返されます。" + std::string(60, '-') + "\r\n");
  int32_t selection[4] = {1, 0, 1, 8};
  std::copy(selection, selection + 4, TheDocument.Selection);
  Repaint();
  Pixels image = Capture(TextWindow);
  EXPECT_GT(image.Count(kInvertedBack, ColumnX(0), RowTop(0), image.width, RowBottom(0)), 0);
  SaveScreenshot(image, "text_window_japanese");
}

// A followed file gains rows while the view shows its end: the view scrolls to them (moving the
// pixels it has and painting the strip it brings in), then is told of the rows.  Every row then
// shown has its text, also the rows that were blank space below the old end and the old last row.
TEST_F(TextWindowTest, RowsGainedWhileTheEndIsShownArePaintedAfterTheScroll) {
  const int firstLines = PageRowCount - 4;
  const std::string path = WriteTemp("growing.txt", Lines(firstLines));
  ASSERT_EQ(OpenAndLoad(path), DocumentResult::kOk);
  SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
  Repaint();
  for (int gained : {PageRowCount / 2, 3, 1}) {
    std::string more;
    for (int i = 0; i < gained; ++i) more += "gained\r\n";
    FILE* file = std::fopen(path.c_str(), "ab");
    ASSERT_NE(file, nullptr);
    std::fwrite(more.data(), 1, more.size(), file);
    std::fclose(file);
    ASSERT_EQ(AppendToDocument(TheDocument.FileSize + uint32_t(more.size())), DocumentResult::kOk);
    VScroll(SB_BOTTOM);
    SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
    UpdateWindow(TextWindow);
    Pixels image = Capture(TextWindow);
    for (int32_t row = TheDocument.TopLine; row < TheDocument.RowCount - 1; ++row)
      EXPECT_GT(image.Count(kText, ColumnX(0), RowTop(row), image.width, RowBottom(row)), 0)
          << "row " << row << " of " << TheDocument.RowCount << " after " << gained << " more";
  }
}

}  // namespace
