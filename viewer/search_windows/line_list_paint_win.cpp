// Painting a line-list item (see line_list_paint_win.h): the background, the text layer in the
// text colour and the control-code layer in the control-code colour, the line-end and tab
// marks copied from the text window's mark strip, and in text mode the row number with its
// double rule in the line colour.
#include "viewer/search_windows/line_list_paint_win.h"

#include "platform/win/owners.h"
#include "viewer/document/document.h"
#include "viewer/search/list_row_layout.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

HFONT ItemFont() { return DisplayFont ? DisplayFont : static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT)); }

void VerticalLine(HDC dc, int32_t x, int32_t top, int32_t bottom) {
  MoveToEx(dc, x, top, nullptr);
  LineTo(dc, x, bottom);
}

void PaintNumber(HDC dc, const ListRowFrame& frame, int32_t x, int32_t top, int32_t row) {
  char number[16];
  const int length = ListRowNumber(row, number);
  SetTextColor(dc, LineColor);
  TextOutA(dc, x, top, number, length);
  win::Pen pen(CreatePen(PS_SOLID, 1, LineColor));
  win::Selection use(dc, pen.get());
  const int32_t bottom = top + TheDocument.RowHeight;
  VerticalLine(dc, frame.ruleLeft, top, bottom);
  VerticalLine(dc, frame.ruleRight, top, bottom);
}

void PaintLayer(HDC dc, const RowLayout& layout, int layer, COLORREF color, int32_t x, int32_t top) {
  if (layout.layerLength[layer] == 0) return;
  SetTextColor(dc, color);
  TextOutA(dc, x, top, layout.layers[layer], layout.layerLength[layer]);
}

void PaintMarks(HDC dc, const std::vector<ListRowMark>& marks, int32_t top) {
  if (marks.empty() || !MarkGlyphBitmap) return;
  win::MemoryDC strip(dc);
  win::Selection glyphs(strip, MarkGlyphBitmap);
  for (const ListRowMark& mark : marks)
    BitBlt(dc, mark.x, top, mark.width, TheDocument.RowHeight, strip, mark.sourceX, 0, SRCCOPY);
}

void PaintRow(HDC dc, const RECT& rect, int32_t row) {
  char text[kMaxRowBytes + 1];
  int length = 0;
  const bool endsLine = FormatRow(row, text, &length) == 1;
  RowLayout layout;
  LayOutListRow(text, length, TabSize, ShowControlCodes != 0, layout);

  const int32_t top = rect.top;
  RECT background{rect.left, top, rect.right, top + TheDocument.RowHeight};
  win::Brush brush(CreateSolidBrush(BackColor));
  FillRect(dc, &background, brush);

  const ListRowFrame frame = ListRowFrameAt(rect.left, CharWidth, Spacing, TheDocument.DisplayMode);
  win::Selection font(dc, ItemFont());
  SetBkMode(dc, TRANSPARENT);
  PaintLayer(dc, layout, kNormalTextLayer, TextColor, frame.textLeft, top);
  PaintLayer(dc, layout, kCaretLayer, CtrlColor, frame.textLeft, top);
  PaintMarks(dc, ListRowMarks(layout, endsLine, ShowCrMarks != 0, ShowTabMarks != 0, frame.textLeft, CharWidth), top);
  if (frame.numbered) PaintNumber(dc, frame, rect.left, top, row);
}

}  // namespace

void DrawLineListItem(const DRAWITEMSTRUCT& item) {
  if (item.itemAction == ODA_FOCUS) {
    DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  if (item.itemID == UINT(-1)) return;
  PaintRow(item.hDC, item.rcItem, int32_t(item.itemData));
  if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}
