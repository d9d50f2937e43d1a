// Painting of the text window: only the rows that meet the update rectangle are formatted and
// drawn, each with its background (inverted where selected), line number and rule, mark flag,
// at most four text calls (one per colour layer) and the line-end and tab marks copied from
// the prepared mark strip.  The area below the last row is filled with the background.
#include <algorithm>
#include <cstdio>
#include <optional>

#include "platform/win/owners.h"
#include "viewer/frame/position_item_win.h"
#include "viewer/document/document.h"
#include "viewer/document/row_layout.h"
#include "viewer/document/scroll_math.h"
#include "viewer/text_window/text_window_parts_win.h"
#include "viewer/text_window/small_windows_win.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kLineEndMarkWidth = 12;
constexpr int kTabMarkWidth = 6;
constexpr int kSelectedMarkOffset = 18;
constexpr int kTabMarkX = 12;

COLORREF Inverted(HDC dc, COLORREF color) {
  COLORREF inverted = RGB(255 - GetRValue(color), 255 - GetGValue(color), 255 - GetBValue(color));
  return PureInverseColors ? GetNearestColor(dc, inverted) : inverted;
}

// A memory DC holding a bitmap for the painting's lifetime; empty when there is no bitmap.
class BitmapSource {
 public:
  BitmapSource(HDC reference, HBITMAP bitmap) {
    if (!bitmap) return;
    dc_.emplace(reference);
    selection_.emplace(*dc_, bitmap);
  }
  explicit operator bool() const { return dc_.has_value(); }
  HDC dc() const { return *dc_; }

 private:
  std::optional<win::MemoryDC> dc_;
  std::optional<win::Selection> selection_;  // declared after dc_: deselected first
};

// Everything one painting uses, made once per WM_PAINT.
struct PaintTools {
  PaintTools(HDC paintDc, int32_t width)
      : dc(paintDc),
        textColor(TextColor),
        ctrlColor(CtrlColor),
        lineColor(LineColor),
        invertedText(Inverted(dc, TextColor)),
        invertedCtrl(Inverted(dc, CtrlColor)),
        invertedLine(Inverted(dc, LineColor)),
        background(CreateSolidBrush(BackColor)),
        invertedBackground(CreateSolidBrush(Inverted(dc, BackColor))),
        linePen(CreatePen(PS_SOLID, 1, LineColor)),
        invertedLinePen(CreatePen(PS_SOLID, 1, invertedLine)),
        glyphs(dc, MarkGlyphBitmap),
        flags(dc, FlagBitmap),
        clientWidth(width),
        textLeft(CurrentTextLeft()),
        lineNumbers(LineNumberColumnShown()) {}

  HDC dc;
  COLORREF textColor, ctrlColor, lineColor;
  COLORREF invertedText, invertedCtrl, invertedLine;
  win::Brush background;
  win::Brush invertedBackground;
  win::Pen linePen;
  win::Pen invertedLinePen;
  BitmapSource glyphs;
  BitmapSource flags;
  int32_t clientWidth;
  int32_t textLeft;
  bool lineNumbers;
  RowLayout layout;  // reused row after row
};

void Fill(const PaintTools& tools, HBRUSH brush, int32_t left, int32_t right, int32_t top) {
  if (left >= right) return;
  RECT rect{left, top, right, top + TheDocument.RowHeight};
  FillRect(tools.dc, &rect, brush);
}

void PaintBackground(const PaintTools& tools, RowSelection selection, int32_t top) {
  InvertedSpan span = SelectedBackground(tools.layout, selection, TheDocument.LeftColumn, tools.textLeft,
                                         CharWidth, tools.clientWidth);
  Fill(tools, tools.background, 0, span.left, top);
  Fill(tools, tools.invertedBackground, span.left, span.right, top);
  Fill(tools, tools.background, span.left == span.right ? 0 : span.right, tools.clientWidth, top);
}

void VerticalLine(HDC dc, int32_t x, int32_t top, int32_t bottom) {
  MoveToEx(dc, x, top, nullptr);
  LineTo(dc, x, bottom);
}

// "%5ld" at x 0 and a double rule one pixel either side of the middle of the sixth column.
void PaintLineNumber(const PaintTools& tools, int32_t row, int32_t top, bool wholeRowSelected) {
  char number[16];
  const int digits = LineNumberDigits(TheDocument.RowCount);
  int length = std::snprintf(number, sizeof number, "%*ld", digits, long(row) + 1);
  SetTextColor(tools.dc, wholeRowSelected ? tools.invertedLine : tools.lineColor);
  TextOutA(tools.dc, 0, top, number, length);
  win::Selection pen(tools.dc, wholeRowSelected ? tools.invertedLinePen.get() : tools.linePen.get());
  const int32_t middle = digits * CharWidth + CharWidth / 2;
  VerticalLine(tools.dc, middle - 1, top, top + TheDocument.RowHeight);
  VerticalLine(tools.dc, middle + 1, top, top + TheDocument.RowHeight);
}

// Flag k of the "Flag" bitmap: the flag XOR-ed onto the background, its inner area cleared
// through the mask, and the mark's numeral OR-ed in.
void PaintFlag(const PaintTools& tools, int mark, int32_t top) {
  const int32_t x = tools.textLeft - 8 - (Spacing - 9) / 2;
  DrawMarkFlag(tools.dc, tools.flags.dc(), x, top, mark);
}

// The four layers in their colours, at most one text call each.  A double-byte character
// split by LeftColumn starts one column left of TextLeft and is clipped there, so the margin
// keeps its contents.
void PaintLayers(const PaintTools& tools, int32_t top) {
  const RowLayout& layout = tools.layout;
  win::SavedDC saved(tools.dc);
  if (layout.split) ExcludeClipRect(tools.dc, tools.textLeft - CharWidth, top, tools.textLeft, top + TheDocument.RowHeight);
  const COLORREF colors[kLayerCount] = {tools.textColor, tools.ctrlColor, tools.invertedText, tools.invertedCtrl};
  for (int layer = 0; layer < kLayerCount; ++layer) {
    int start = 0;
    int count = 0;
    if (!LayerTextToDraw(layout, layer, TheDocument.LeftColumn, &start, &count)) continue;
    SetTextColor(tools.dc, colors[layer]);
    const int32_t x = tools.textLeft + (start - TheDocument.LeftColumn) * CharWidth;
    TextOutA(tools.dc, x, top, layout.layers[layer] + start, count);
  }
}

// Copies one mark of the strip to a column right of TextLeft (nothing when it lies off screen).
void PaintMark(const PaintTools& tools, int32_t column, int32_t top, int width, int sourceX) {
  if (column < 0) return;
  const int64_t x = tools.textLeft + int64_t(column) * CharWidth;
  if (x >= tools.clientWidth) return;
  BitBlt(tools.dc, int(x), top, width, TheDocument.RowHeight, tools.glyphs.dc(), sourceX, 0, SRCCOPY);
}

void PaintMarks(const PaintTools& tools, bool endsLine, int32_t top) {
  if (!tools.glyphs) return;
  const RowLayout& layout = tools.layout;
  if (ShowCrMarks && endsLine)
    PaintMark(tools, layout.lineEndColumn, top, kLineEndMarkWidth, layout.lineEndSelected ? kSelectedMarkOffset : 0);
  if (!ShowTabMarks) return;
  for (int t = 0; t < layout.tabCount; ++t) {
    const TabMark& tab = layout.tabs[t];
    PaintMark(tools, tab.column, top, kTabMarkWidth, kTabMarkX + (tab.selected ? kSelectedMarkOffset : 0));
  }
}

void PaintRow(PaintTools& tools, int32_t row, int32_t top) {
  char text[kMaxRowBytes + 1];
  int length = 0;
  const bool endsLine = FormatRow(row, text, &length) == 1;
  const RowSelection selection = SelectedBytesOfRow(TheDocument.Selection, row);
  const RowLayoutOptions options{TheDocument.LeftColumn, TabSize, ShowControlCodes != 0};
  LayOutRow(text, length, selection, options, tools.layout);
  PaintBackground(tools, selection, top);
  if (tools.lineNumbers) PaintLineNumber(tools, row, top, selection.WholeRow());
  const int mark = FlagMarkOfRow(TheDocument.Marks, row);
  if (Spacing > 9 && tools.flags && mark >= 0) PaintFlag(tools, mark, top);
  PaintLayers(tools, top);
  PaintMarks(tools, endsLine, top);
}

// "%ld/%ld" into the parent's position item; the search-position tab follows the rows.
void ShowPosition(HWND window) {
  char position[32];
  std::snprintf(position, sizeof position, "%lld/%ld",
                static_cast<long long>(ShownTopRow(TheDocument.TopLine, TheDocument.RowCount)),
                long(TheDocument.RowCount));
  ShowPositionText(GetParent(window), position);
  if (HWND tab = MainWindow ? GetDlgItem(MainWindow, kLeftTabId) : nullptr) InvalidateRect(tab, nullptr, FALSE);
}

// The rows [first, end) that meet the update rectangle.
struct RowRange {
  int32_t first;
  int32_t end;
};
RowRange RowsToPaint(const RECT& update, int32_t clientHeight) {
  const int32_t height = TheDocument.RowHeight;
  const int64_t top = TheDocument.TopLine;
  int64_t end = top + RowsMeetingClient(clientHeight, height);
  end = std::min<int64_t>({end, TheDocument.RowCount, top + RowsMeetingClient(update.bottom, height)});
  const int64_t first = top + std::max<LONG>(0, update.top) / height;
  return {int32_t(first), int32_t(std::max(first, end))};
}

// The row count when the window was last painted: rows from there on were painted blank.
int32_t RowCountAtPaint = 0;

}  // namespace

void InvalidateRowsLoadedSincePaint() {
  const int32_t rows = TheDocument.RowCount;
  if (LineNumberDigits(rows) != LineNumberDigits(RowCountAtPaint)) {
    if (TextWindow) InvalidateRect(TextWindow, nullptr, FALSE);  // the line-number column widened
  } else if (rows > RowCountAtPaint) {
    InvalidateRows(RowCountAtPaint > 0 ? RowCountAtPaint - 1 : 0, rows - 1);
  }
  RowCountAtPaint = rows;
}

void PaintTextWindow(HWND window) {
  // Rows that came since the last painting are painted now wherever they are: a scroll since then
  // moved only their blank pixels, and painted only the strip it brought into view.
  InvalidateRowsLoadedSincePaint();
  RECT update{};
  GetUpdateRect(window, &update, FALSE);
  RECT client{};
  GetClientRect(window, &client);
  win::PaintDC dc(window);
  win::Selection font(dc, CurrentDisplayFont());
  PaintTools tools(dc, client.right);
  ShowPosition(window);
  SetBkMode(dc, TRANSPARENT);
  const RowRange rows = RowsToPaint(update, client.bottom);
  for (int32_t row = rows.first; row < rows.end; ++row)
    PaintRow(tools, row, (row - TheDocument.TopLine) * TheDocument.RowHeight);
  const int64_t rowsShown = std::clamp<int64_t>(int64_t(TheDocument.RowCount) - TheDocument.TopLine, 0,
                                                RowsMeetingClient(client.bottom, TheDocument.RowHeight));
  RECT below{0, LONG(rowsShown * TheDocument.RowHeight), client.right, client.bottom};
  if (below.top < below.bottom) FillRect(dc, &below, tools.background);
}
