// The text window in this process under Wine: a plain parent window with the position item
// 1001 holds a "ZelkoView!Text" child; small documents are opened into it and the tests check
// the scroll state, the messages it sends, and the pixels it paints (read back from the
// window's device context).  A few screenshots go to the build folder's screenshots/.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

#include "platform/win/owners.h"
#include "tests/support/png_writer.h"
#include "viewer/document/document_test_support.h"
#include "viewer/text_window/text_window_parts_win.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/settings/default_key_table.h"
#include "viewer/settings/key_table.h"
#include "viewer/text_window/small_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(255, 255, 255);
constexpr COLORREF kInvertedBack = RGB(0, 0, 0);
constexpr COLORREF kMarks = RGB(0x35, 0x76, 0xC6);
constexpr COLORREF kLines = RGB(0xD8, 0x0A, 0x8F);
constexpr COLORREF kCarets = RGB(0x28, 0xB0, 0x06);
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 400;

// What the window shows, read back from its device context.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> bgrx;  // top row first
  COLORREF At(int x, int y) const {
    uint32_t p = bgrx[size_t(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels of `color` in [left, right) x [top, bottom).
  int Count(COLORREF color, int left, int top, int right, int bottom) const {
    int n = 0;
    for (int y = std::max(0, top); y < std::min(bottom, height); ++y)
      for (int x = std::max(0, left); x < std::min(right, width); ++x) n += At(x, y) == color;
    return n;
  }
  int Area(int left, int top, int right, int bottom) const { return (right - left) * (bottom - top); }
};

Pixels Capture(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  Pixels image{client.right, client.bottom, {}};
  BITMAPINFO info{};
  // 32 bits per pixel, top row first.
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win::WindowDC source(window);
  win::Bitmap dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  win::MemoryDC copy(source);
  {
    win::Selection selected(copy, dib.get());
    BitBlt(copy, 0, 0, image.width, image.height, source, 0, 0, SRCCOPY);
  }
  GdiFlush();
  const uint32_t* words = static_cast<const uint32_t*>(bits);
  image.bgrx.assign(words, words + size_t(image.width) * image.height);
  return image;
}

void SaveScreenshot(const Pixels& image, const char* name) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      COLORREF c = image.At(x, y);
      rgb.insert(rgb.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  }
  std::string folder = "Z:" ZV_BUILD_DIR "/screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  std::vector<uint8_t> png = e2e::EncodePng(image.width, image.height, rgb);
  FILE* file = std::fopen((folder + "/" + name + ".png").c_str(), "wb");
  ASSERT_NE(file, nullptr) << name;
  std::fwrite(png.data(), 1, png.size(), file);
  std::fclose(file);
}

HFONT JapaneseFont() {
  static HFONT font = [] {
    LOGFONTA description{};
    description.lfHeight = -16;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    description.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyA(description.lfFaceName, "IPAGothic");
    return CreateFontIndirectA(&description);
  }();
  return font;
}

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA text{CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS, TextWindowProc, 0, 0, Instance, nullptr,
                 LoadCursorA(nullptr, IDC_ARROW), HBRUSH(COLOR_WINDOW + 1), nullptr, kTextWindowClass};
  WNDCLASSA parent{0, DefWindowProcA, 0, 0, Instance, nullptr, LoadCursorA(nullptr, IDC_ARROW),
                   HBRUSH(COLOR_BTNFACE + 1), nullptr, "TextWindowTestParent"};
  ASSERT_TRUE(RegisterClassA(&text));
  ASSERT_TRUE(RegisterClassA(&parent));
  registered = true;
}

class TextWindowTest : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    Instance = GetModuleHandleA(nullptr);
    TextColor = kText;
    BackColor = kBack;
    ControlColor = kMarks;
    LineColor = kLines;
    CtrlColor = kCarets;
    ShowCrMarks = ShowTabMarks = ShowControlCodes = 1;
    ShowLineNumbers = PureInverseColors = 0;
    Spacing = 10;
    LineSpacing = 2;
    std::span<const KeyRecord> keys = DefaultKeyRecords();
    std::fill(std::begin(KeyTable), std::end(KeyTable), KeyRecord{});
    std::copy(keys.begin(), keys.end(), KeyTable);
    DisplayFont.Reset(JapaneseFont());
    RegisterClasses();
    parent = CreateWindowExA(WS_EX_TOPMOST, "TextWindowTestParent", "text window test", WS_POPUP | WS_VISIBLE, 0, 0,
                             kClientWidth, kClientHeight, nullptr, nullptr, Instance, nullptr);
    CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, parent, HMENU(kPositionTextId), Instance, nullptr);
    MainWindow = parent;
    TextWindow = CreateWindowA(kTextWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                               0, 0, kClientWidth, kClientHeight, parent, nullptr, Instance, nullptr);
    ASSERT_NE(TextWindow, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent);
    MainWindow = TextWindow = nullptr;
    TheDocument.Selection[0] = TheDocument.Selection[1] = TheDocument.Selection[2] = TheDocument.Selection[3] = -1;
    for (int32_t& mark : TheDocument.Marks) mark = -1;
    FlagBitmap.Reset();
    DocumentTest::TearDown();
  }

  void Show(const std::string& bytes) {
    ASSERT_EQ(OpenAndLoad(WriteTemp("text_window.txt", bytes)), 1);
    SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
    Repaint();
  }
  void Repaint() {
    InvalidateRect(TextWindow, nullptr, FALSE);
    UpdateWindow(TextWindow);
  }
  void Resize(int width, int height) {
    SetWindowPos(TextWindow, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::string PositionText() {
    char text[64] = "";
    GetDlgItemTextA(parent, kPositionTextId, text, sizeof text);
    return text;
  }
  LRESULT VScroll(int code, LPARAM target = 0, int thumb = 0) {
    return SendMessageA(TextWindow, WM_VSCROLL, MAKEWPARAM(code, thumb), target);
  }
  LRESULT HScroll(int code, LPARAM target = 0, int thumb = 0) {
    return SendMessageA(TextWindow, WM_HSCROLL, MAKEWPARAM(code, thumb), target);
  }
  int ClientHeight() {
    RECT client{};
    GetClientRect(TextWindow, &client);
    return client.bottom;
  }
  bool HorizontalBarShown() { return (GetWindowLongPtrA(TextWindow, GWL_STYLE) & WS_HSCROLL) != 0; }
  int RowTop(int32_t row) const { return (row - TheDocument.TopLine) * TheDocument.RowHeight; }
  int RowBottom(int32_t row) const { return RowTop(row) + TheDocument.RowHeight; }
  int ColumnX(int32_t column) const { return TextLeftEdge + (column - TheDocument.LeftColumn) * CharWidth; }
  // Widens or narrows the window until exactly `columns` columns are visible.
  void ShowColumns(int columns) {
    for (int attempt = 0; attempt < 4 && VisibleColumnCount != columns; ++attempt) {
      RECT window{};
      GetWindowRect(TextWindow, &window);
      Resize(window.right - window.left + (columns - VisibleColumnCount) * CharWidth, kClientHeight);
    }
    ASSERT_EQ(VisibleColumnCount, columns);
  }

  std::string Lines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i + 1) + "\r\n";
    return text;
  }

  HWND parent = nullptr;
};

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
  EXPECT_EQ(PositionText(), "1/0");
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
      {12, 150, 150},      {12, 5000, 200}, {12, -7, 0},       {SB_BOTTOM, 0, 201 - ClientHeight() / TheDocument.RowHeight},
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
  ASSERT_EQ(OpenDocument(WriteTemp("go.txt", Lines(3000)).c_str(), AutoDetect, AutoDetect), 1);
  ASSERT_LT(TheDocument.RowCount, 500);  // nothing loaded yet
  SendMessageA(TextWindow, WM_ZV_REFRESH, 0, 0);
  GoToPosition(1500, 9);
  EXPECT_GT(TheDocument.RowCount, 1500);
  EXPECT_EQ(TheDocument.TopLine, 1500);
  EXPECT_EQ(TheDocument.LeftColumn, 9);
  EXPECT_EQ(PositionText(), "1501/" + std::to_string(TheDocument.RowCount));
}

TEST_F(TextWindowTest, KeysBecomeCommandsAndMouseMovesReachTheParent) {
  Show(Lines(3));
  MSG message;
  while (PeekMessageA(&message, parent, 0, 0, PM_REMOVE)) {
  }
  SendMessageA(TextWindow, WM_KEYDOWN, VK_NEXT, 0);
  ASSERT_TRUE(PeekMessageA(&message, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(message.wParam, 20008u);
  SendMessageA(TextWindow, WM_KEYDOWN, VK_F24, 0);  // no record: nothing posted
  EXPECT_FALSE(PeekMessageA(&message, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(33, 44));
  bool forwarded = false;
  while (PeekMessageA(&message, parent, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
    forwarded |= message.wParam == MK_LBUTTON && message.lParam == MAKELPARAM(33, 44);
  EXPECT_TRUE(forwarded);
  EXPECT_EQ(SendMessageA(TextWindow, WM_MOUSEACTIVATE, WPARAM(parent), 0), MA_ACTIVATE);
}

TEST_F(TextWindowTest, LineCursorOverTheMarginOnly) {
  ShowLineNumbers = 1;
  Show(Lines(3));
  HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  LineCursor = cross;
  auto cursorAt = [&](int x) {
    POINT point{x, 5};
    ClientToScreen(TextWindow, &point);
    SetCursorPos(point.x, point.y);
    SetCursor(nullptr);
    SendMessageA(TextWindow, WM_SETCURSOR, WPARAM(TextWindow), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(cursorAt(2), cross);                 // over the line numbers
  EXPECT_EQ(cursorAt(TextLeftEdge - 1), cross);  // the margin
  EXPECT_EQ(cursorAt(TextLeftEdge + 1), arrow);
  LineCursor = nullptr;
  EXPECT_EQ(cursorAt(2), arrow);
}

TEST_F(TextWindowTest, HitTestAndContextMenuChoice) {
  Show("ABCDEF\r\n漢字\r\nxyz");
  const int y0 = RowTop(0) + 2, y1 = RowTop(1) + 2;
  auto at = [](int x, int y) { return HitTest(POINT{x, y}); };
  EXPECT_EQ(at(2, y0).column, -1);  // the margin
  EXPECT_EQ(at(ColumnX(2) + 1, y0).column, 2);
  EXPECT_EQ(at(ColumnX(2) + CharWidth - 1, y0).column, 3);  // right half of C
  EXPECT_EQ(at(ColumnX(6) + 1, y0).column, 6);             // the line-end position
  EXPECT_EQ(at(ColumnX(7) + 2, y0).column, 8);             // past it: CR LF included
  EXPECT_EQ(at(ColumnX(30), y0).column, -1);
  EXPECT_EQ(at(ColumnX(2) + 2, y1).column, 2);  // 字 is bytes 2 and 3
  EXPECT_EQ(at(ColumnX(0), y1).row, 1);
  EXPECT_EQ(at(ColumnX(0), y0 + 2 * TheDocument.RowHeight).column, 0);
  int32_t selection[4] = {0, 1, 3, 2};
  std::copy(selection, selection + 4, TheDocument.Selection);
  EXPECT_EQ(ContextMenuAt(POINT{ColumnX(4), y0}), 0);
  EXPECT_EQ(ContextMenuAt(POINT{ColumnX(1), y0}), 2);
  EXPECT_EQ(ContextMenuAt(POINT{2, y0}), 1);
  EXPECT_EQ(ContextMenuAt(POINT{ColumnX(3), y1}), 2);  // the selection ends before 字
  int32_t rows[4] = {1, 1, -1, -1};
  std::copy(rows, rows + 4, TheDocument.Selection);
  EXPECT_EQ(ContextMenuAt(POINT{2, y1}), 0);
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

// ---- mouse selection ----

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

std::vector<int32_t> SelectionNow() { return {TheDocument.Selection, TheDocument.Selection + 4}; }

// Delivers the moves waiting for the text window (the ones the drag timer posts).
int DeliverMoves(HWND window) {
  MSG message;
  int delivered = 0;
  while (PeekMessageA(&message, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    DispatchMessageA(&message);
    ++delivered;
  }
  return delivered;
}

TEST_F(TextWindowTest, PressDragAndReleaseSelectCharacters) {
  Show("ABCDEF\r\n漢字\r\nxyz");
  const int y0 = RowTop(0) + 2, y1 = RowTop(1) + 2, y2 = RowTop(2) + 2;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(2) + 1, y0));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 0, 2, 2}));
  EXPECT_EQ(TheDocument.Dragging, 1);
  EXPECT_EQ(GetCapture(), TextWindow);
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(ColumnX(1) + 1, y1));  // the right half of 漢
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 1, 2, 2}));
  Pixels dragged = Capture(TextWindow);  // repainted at once, before the release
  EXPECT_EQ(dragged.At(ColumnX(2) - 1, RowBottom(0) - 1), kBack);
  EXPECT_EQ(dragged.At(ColumnX(2), RowBottom(0) - 1), kInvertedBack);
  EXPECT_EQ(dragged.At(ColumnX(1) - 1, RowBottom(1) - 1), kInvertedBack);  // 漢
  EXPECT_EQ(dragged.At(ColumnX(2), RowBottom(1) - 1), kBack);               // 字
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1) + 1, y1));
  EXPECT_EQ(TheDocument.Dragging, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 1, 2, 2}));

  // From the middle of row 2 up into the margin of row 0: the end is the start of row 0.
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1) + 1, y2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 2, 1, 1}));
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(2, y0));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(2, y0));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 0, 1, 0}));
  // A move without a drag changes nothing.
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0, At(ColumnX(4), y1));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 0, 1, 0}));
}

TEST_F(TextWindowTest, ReleaseCopiesWhenCopyOnSelectIsOn) {
  Show("ABCDEF\r\n");
  MSG message;
  auto copyPosted = [&] {
    bool posted = false;
    while (PeekMessageA(&message, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE)) posted |= message.wParam == 112;
    return posted;
  };
  copyPosted();
  CopyOnSelect = 0;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), 2));
  EXPECT_FALSE(copyPosted());
  CopyOnSelect = 1;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), 2));
  EXPECT_TRUE(copyPosted());
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 0, 1, 1}));  // pressed without moving: empty
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), 2));   // no drag: no copy
  EXPECT_FALSE(copyPosted());
  CopyOnSelect = 0;
}

TEST_F(TextWindowTest, MarginPressAndDoubleClickSelectRows) {
  Show("one\r\ntwo\r\nthree\r\nfour\r\n");
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(2, RowTop(1) + 2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{1, 1, -1, -1}));
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(ColumnX(2), RowTop(2) + 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(2), RowTop(2) + 2));
  EXPECT_EQ(TheDocument.Selection[0], 1);
  EXPECT_EQ(TheDocument.Selection[1], 2);
  EXPECT_EQ(TheDocument.Selection[2], -1);  // still rows
  // The press of a double-click started a character selection; the double-click makes it rows.
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), RowTop(3) + 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), RowTop(3) + 2));
  SendMessageA(TextWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, At(ColumnX(1), RowTop(3) + 2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{3, 3, -1, -1}));
  EXPECT_EQ(GetCapture(), TextWindow);
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), RowTop(3) + 2));
  Repaint();
  Pixels image = Capture(TextWindow);
  EXPECT_EQ(image.At(0, RowBottom(3) - 1), kInvertedBack);
  EXPECT_EQ(image.At(image.width - 1, RowBottom(3) - 1), kInvertedBack);
  EXPECT_EQ(image.At(0, RowBottom(2) - 1), kBack);
  ClearSelection();
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{-1, -1, -1, -1}));
}

TEST_F(TextWindowTest, TimerMovesBelowTheWindowScroll) {
  Show(Lines(300));
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), RowTop(0) + 2));
  POINT below{ColumnX(3), ClientHeight() + 20};
  ClientToScreen(TextWindow, &below);
  SetCursorPos(below.x, below.y);
  DeliverMoves(TextWindow);  // the pointer's own move: no scrolling
  EXPECT_EQ(TheDocument.TopLine, 0);
  SendMessageA(TextWindow, WM_TIMER, 1, 0);
  SendMessageA(TextWindow, WM_TIMER, 1, 0);  // a move is waiting already: no second one
  EXPECT_EQ(DeliverMoves(TextWindow), 1);
  EXPECT_EQ(TheDocument.TopLine, 1);
  EXPECT_EQ(TheDocument.Selection[1], TheDocument.TopLine + (ClientHeight() + 20) / TheDocument.RowHeight);
  // Four rows a tick with Shift, sixteen with Shift and Ctrl; the system timer message too.
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0x10 | MK_SHIFT, At(ColumnX(3), ClientHeight() - 1));
  EXPECT_EQ(TheDocument.TopLine, 5);
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0x10 | MK_SHIFT | MK_CONTROL, At(ColumnX(3), ClientHeight() - 1));
  EXPECT_EQ(TheDocument.TopLine, 21);
  SendMessageA(TextWindow, 0x118, 0, 0);
  EXPECT_EQ(DeliverMoves(TextWindow), 1);
  EXPECT_EQ(TheDocument.TopLine, 22);
  // Moves of the pointer itself (no 0x10) never scroll; above the window the timer scrolls up.
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(ColumnX(3), ClientHeight() - 1));
  EXPECT_EQ(TheDocument.TopLine, 22);
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0x10, At(ColumnX(3), 1));
  EXPECT_EQ(TheDocument.TopLine, 21);
  EXPECT_EQ(TheDocument.Selection[1], 21);
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(3), 1));
  SendMessageA(TextWindow, WM_TIMER, 1, 0);  // the drag is over: the tick does nothing
  EXPECT_EQ(DeliverMoves(TextWindow), 0);
  EXPECT_EQ(TheDocument.TopLine, 21);
}

TEST_F(TextWindowTest, LostCaptureEndsTheDrag) {
  Show(Lines(3));
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), 2));
  ASSERT_EQ(TheDocument.Dragging, 1);
  SetCapture(parent);
  EXPECT_EQ(TheDocument.Dragging, 0);
  ReleaseCapture();
  SendMessageA(TextWindow, WM_TIMER, 1, 0);
  EXPECT_EQ(DeliverMoves(TextWindow), 0);
}

TEST_F(TextWindowTest, PressOnAFlagDragsTheMark) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA strip{CS_DBLCLKS, MarkWindowProc, 0, 0, Instance, nullptr, nullptr, HBRUSH(COLOR_WINDOW + 1), nullptr,
                    kMarkListWindowClass};
    registered = RegisterClassA(&strip) != 0;
  }
  HWND strip = CreateWindowA(kMarkListWindowClass, "", WS_CHILD, 0, 0, 80, 10, parent, HMENU(kMarkListId), Instance,
                             nullptr);
  ASSERT_NE(strip, nullptr);
  Spacing = 15;
  Show(Lines(6));
  TheDocument.Marks[2] = 1;
  const int flagX = TextLeftEdge - 8 - (Spacing - 9) / 2 + 2;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(flagX, RowTop(1) + 2));
  ClipCursor(nullptr);
  EXPECT_EQ(GetCapture(), strip);
  EXPECT_EQ(INT_PTR(GetPropA(strip, "Line")), 2);
  EXPECT_EQ(TheDocument.Selection[0], -1);  // no selection started
  EXPECT_EQ(TheDocument.Dragging, 0);
  POINT drop{ColumnX(2), RowTop(4) + 2};
  MapWindowPoints(TextWindow, strip, &drop, 1);
  SendMessageA(strip, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
  EXPECT_EQ(TheDocument.Marks[2], 4);
  EXPECT_EQ(GetCapture(), nullptr);
  // On a row without a mark the same place starts a row selection.
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(flagX, RowTop(2) + 2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 2, -1, -1}));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(flagX, RowTop(2) + 2));
}

}  // namespace
