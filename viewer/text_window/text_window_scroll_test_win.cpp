// The text window's scrolling under Wine: the font's measures and the position item, the
// vertical and horizontal scroll codes and bars, large documents, and jumps that load ahead.
#include "viewer/text_window/text_window_test_support_win.h"

#include <gtest/gtest.h>

namespace {

using namespace text_window_test;

TEST_F(TextWindowTest, MeasuresTheFontAndShowsThePosition) {
  EXPECT_GE(TheDocument.RowHeight, 14 + LineSpacing);
  EXPECT_GE(CharWidth, 6);
  Show(Lines(50));
  EXPECT_EQ(PositionText(), "1/51");
  EXPECT_EQ(PageRowCount, ClientHeight() / TheDocument.RowHeight);
  // A shorter document afterwards: everything below its last row is background again.
  Show("one\r\ntwo");
  EXPECT_EQ(PositionText(), "1/2");
  Pixels image = Capture(TextWindow);
  EXPECT_EQ(image.Count(kBack, 0, RowBottom(1), image.width, image.height), image.Area(0, RowBottom(1), image.width, image.height));
  EXPECT_GT(image.Count(kText, ColumnX(0), RowTop(0), ColumnX(3), RowBottom(0)), 0);
  // An empty document paints the background only.
  Show("");
  EXPECT_EQ(PositionText(), "0/0");
  image = Capture(TextWindow);
  EXPECT_EQ(image.Count(kBack, 0, 0, image.width, image.height), image.Area(0, 0, image.width, image.height));
}

TEST_F(TextWindowTest, VerticalScrollCodes) {
  Show(Lines(200));
  const int32_t page = PageRowCount;
  struct Step {
    int code;
    LPARAM target;
    int32_t expected;
  };
  const Step steps[] = {
      {SB_LINEDOWN, 0, 2}, {14, 0, 3},  {13, 0, 2},           {SB_LINEUP, 0, 0},      {SB_LINEUP, 0, 0},
      {SB_PAGEDOWN, 0, page}, {11, 0, page + page / 2}, {10, 0, page}, {SB_PAGEUP, 0, 0},
      {12, 150, 150},      {12, 5000, 201 - ClientHeight() / TheDocument.RowHeight}, {12, -7, 0},       {SB_BOTTOM, 0, 201 - ClientHeight() / TheDocument.RowHeight},
      {SB_TOP, 0, 0},      {SB_ENDSCROLL, 0, 0}, {21, 0, 0},
  };
  for (const Step& step : steps) {
    VScroll(step.code, step.target);
    EXPECT_EQ(TheDocument.TopLine, step.expected) << "code " << step.code;
    EXPECT_EQ(GetScrollPos(TextWindow, SB_VERT), TheDocument.TopLine) << "code " << step.code;
  }
  VScroll(SB_THUMBTRACK, 0, 37);
  EXPECT_EQ(TheDocument.TopLine, 37);
  EXPECT_EQ(PositionText(), "38/201");
}

// The wheel scrolls by the system's setting, a page when it asks for pages; a wheel turned over
// another window of the viewer scrolls that window instead.
TEST_F(TextWindowTest, MouseWheelScrollsBySystemSetting) {
  Show(Lines(300));
  UINT saved = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &saved, 0);
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
  RECT client{};
  GetWindowRect(TextWindow, &client);
  const LPARAM inside = MAKELPARAM(client.left + 20, client.top + 20);
  SendMessageA(TextWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), inside);
  EXPECT_EQ(TheDocument.TopLine, 3);
  SendMessageA(TextWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-2 * WHEEL_DELTA)), inside);
  EXPECT_EQ(TheDocument.TopLine, 9);
  SendMessageA(TextWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA * 10), inside);
  EXPECT_EQ(TheDocument.TopLine, 0);
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, WHEEL_PAGESCROLL, nullptr, 0);
  SendMessageA(TextWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), inside);
  EXPECT_EQ(TheDocument.TopLine, PageRowCount);
  EXPECT_EQ(PositionText(), std::to_string(PageRowCount + 1) + "/301");
  SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, saved, nullptr, 0);
  // A jump past the end shows the last full page; the wheel then stops at the last row.
  GoToPosition(99999, 0);
  EXPECT_EQ(TheDocument.TopLine, 301 - ClientHeight() / TheDocument.RowHeight);
  for (int i = 0; i < 40; ++i) SendMessageA(TextWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), inside);
  EXPECT_EQ(TheDocument.TopLine, 300);
  // Over a list of this viewer the list scrolls and the text stays.
  HWND list = CreateWindowA("LISTBOX", "", WS_POPUP | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, client.left,
                            client.top, 200, 100, parent, nullptr, Instance, nullptr);
  for (int i = 0; i < 100; ++i) SendMessageA(list, LB_ADDSTRING, 0, LPARAM("item"));
  const int32_t top = TheDocument.TopLine;
  SendMessageA(TextWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), MAKELPARAM(client.left + 20, client.top + 20));
  EXPECT_EQ(TheDocument.TopLine, top);
  EXPECT_GT(SendMessageA(list, LB_GETTOPINDEX, 0, 0), 0);
  DestroyWindow(list);
}

TEST_F(TextWindowTest, LargeDocumentScalesTheScrollBar) {
  Show(Lines(99999));  // and the empty row after the last line end
  ASSERT_EQ(TheDocument.RowCount, 100000);
  EXPECT_EQ(TheDocument.VScrollScale, 4);
  int low = -1, high = -1;
  GetScrollRange(TextWindow, SB_VERT, &low, &high);
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 24999);
  VScroll(SB_THUMBPOSITION, 0, 2);
  EXPECT_EQ(TheDocument.TopLine, 8);
  EXPECT_EQ(PositionText(), "9/100000");
  VScroll(12, 99990);
  EXPECT_EQ(GetScrollPos(TextWindow, SB_VERT), 99990 / 4);
  VScroll(SB_TOP);  // a jump over the whole document repaints instead of scrolling pixels
  EXPECT_EQ(PositionText(), "1/100000");
}

TEST_F(TextWindowTest, HorizontalScrollCodesAndBar) {
  LineMax = host.rows.lineMax = 80;
  Show(std::string(70, 'x') + "\r\n");
  ShowColumns(50);
  ASSERT_TRUE(HorizontalBarShown());
  const int32_t limit = 30;
  int low = -1, high = -1;
  GetScrollRange(TextWindow, SB_HORZ, &low, &high);
  EXPECT_EQ(high, limit);
  struct Step {
    int code;
    LPARAM target;
    int thumb;
    int32_t expected;
  };
  const Step steps[] = {
      {SB_LINERIGHT, 0, 0, 1}, {20, 0, 0, 3},  {19, 0, 0, 1},       {SB_LINELEFT, 0, 0, 0}, {SB_LINELEFT, 0, 0, 0},
      {18, 0, 0, 25},          {17, 0, 0, 0},  {SB_PAGERIGHT, 0, 0, limit}, {SB_PAGELEFT, 0, 0, 0},
      {16, 0, 0, limit},       {15, 0, 0, 0},  {SB_RIGHT, 0, 0, limit}, {SB_LEFT, 0, 0, 0},
      {12, 7, 0, 7},           {12, 500, 0, limit}, {SB_THUMBTRACK, 0, 12, 12}, {SB_ENDSCROLL, 0, 0, 12},
      {21, 0, 0, 12},
  };
  for (const Step& step : steps) {
    HScroll(step.code, step.target, step.thumb);
    EXPECT_EQ(TheDocument.LeftColumn, step.expected) << "code " << step.code;
    EXPECT_EQ(GetScrollPos(TextWindow, SB_HORZ), TheDocument.LeftColumn) << "code " << step.code;
  }
  // Wider: the limit shrinks and pulls LeftColumn back with it; wide enough: the bar goes.
  HScroll(SB_RIGHT);
  ShowColumns(70);
  EXPECT_EQ(TheDocument.LeftColumn, 10);
  EXPECT_TRUE(HorizontalBarShown());
  ShowColumns(80);
  EXPECT_EQ(TheDocument.LeftColumn, 0);
  EXPECT_FALSE(HorizontalBarShown());
  EXPECT_EQ(PageRowCount, ClientHeight() / TheDocument.RowHeight);  // counted after the bar went
  EXPECT_EQ(HScroll(SB_LINERIGHT), 0);
  EXPECT_EQ(TheDocument.LeftColumn, 0);
}

TEST_F(TextWindowTest, BinaryRowsNeedTheBarOnlyBelow75Columns) {
  LineMax = host.rows.lineMax = 200;
  Show(std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x0e\x0f", 10) + "ABCDEFGHIJKLMNOPQRSTUV");
  ASSERT_EQ(TheDocument.DisplayMode, 1);
  ShowColumns(75);
  EXPECT_FALSE(HorizontalBarShown());
  ShowColumns(74);
  EXPECT_TRUE(HorizontalBarShown());
  HScroll(SB_RIGHT);
  EXPECT_EQ(TheDocument.LeftColumn, 1);
  Repaint();
  SaveScreenshot(Capture(TextWindow), "text_window_binary");
}

TEST_F(TextWindowTest, ScrolledPixelsMatchAFullRepaint) {
  ShowLineNumbers = 1;
  LineMax = host.rows.lineMax = 120;
  std::string text;
  for (int i = 0; i < 80; ++i) text += std::to_string(i) + "\t漢字 " + std::string(size_t(i % 90), char('a' + i % 26)) + "\r\n";
  Show(text);
  ShowColumns(60);
  for (int code : {SB_LINEDOWN, 14, SB_PAGEDOWN, 13, 11}) {
    VScroll(code);
    Pixels scrolled = Capture(TextWindow);
    Repaint();
    EXPECT_TRUE(Capture(TextWindow).bgrx == scrolled.bgrx) << "vertical code " << code;
  }
  for (int code : {SB_LINERIGHT, 20, 18, SB_LINELEFT, 17}) {
    HScroll(code);
    Pixels scrolled = Capture(TextWindow);
    Repaint();
    EXPECT_TRUE(Capture(TextWindow).bgrx == scrolled.bgrx) << "horizontal code " << code;
  }
  SaveScreenshot(Capture(TextWindow), "text_window_scrolled");
}

TEST_F(TextWindowTest, InvalidateRowsRepaintsOnlyThoseRows) {
  Show(Lines(20));
  VScroll(12, 3);
  int32_t rows[4] = {0, 10, -1, -1};
  std::copy(rows, rows + 4, TheDocument.Selection);
  InvalidateRows(6, 4);  // either order; rows 0..2 are off screen
  UpdateWindow(TextWindow);
  Pixels image = Capture(TextWindow);
  for (int32_t row = 3; row <= 10; ++row) {
    const bool repainted = row >= 4 && row <= 6;
    EXPECT_EQ(image.At(0, RowBottom(row) - 1), repainted ? kInvertedBack : kBack) << row;
  }
}

TEST_F(TextWindowTest, GoToPositionLoadsUpToTheRow) {
  LineMax = host.rows.lineMax = 200;
  ASSERT_EQ(OpenDocument(WriteTemp("go.txt", Lines(3000)).c_str(), AutoDetect, AutoDetect), DocumentResult::kOk);
  ASSERT_LT(TheDocument.RowCount, 500);  // nothing loaded yet
  SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
  GoToPosition(1500, 9);
  EXPECT_GT(TheDocument.RowCount, 1500);
  EXPECT_EQ(TheDocument.TopLine, 1500);
  EXPECT_EQ(TheDocument.LeftColumn, 9);
  EXPECT_EQ(PositionText(), "1501/" + std::to_string(TheDocument.RowCount));
}

}  // namespace
