// The mark strip the text window copies its line-end and tab marks from: 36 x RowHeight, the
// left half on the background colour, the right half in inverted colours for selected text.
// The marks are the monochrome bitmaps "CR" (12 x 12) and "TAB" (6 x 12) of the program's
// resources.
#include "platform/win/owners.h"
#include "viewer/document/document.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/resources/resource_names.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

// The strip: normal colours in x 0..17, inverted ones in x 18..35; the line-end mark at x 0,
// the tab mark at x 12 of each half.
constexpr int kStripWidth = 36;
constexpr int kInvertedHalf = 18;
constexpr int kTabX = 12;
// Mark sizes.
constexpr int kMarkHeight = 12;
constexpr int kLineEndWidth = 12;
constexpr int kTabWidth = 6;

COLORREF XorWhite(COLORREF color) { return color ^ 0x00FFFFFF; }

void FillColumns(HDC dc, int left, int right, int height, COLORREF color) {
  win::Brush brush(CreateSolidBrush(color));
  RECT rect{left, 0, right, height};
  FillRect(dc, &rect, brush);
}

// Draws a monochrome mark twice: at x in ControlColor on BackColor, and at x + 18 in the
// inverse of both.
void DrawMark(HDC strip, HBITMAP mark, int x, int width, int y) {
  if (!mark) return;
  win::MemoryDC source(strip);
  win::Selection selected(source, mark);
  SetTextColor(strip, ControlColor);
  SetBkColor(strip, BackColor);
  BitBlt(strip, x, y, width, kMarkHeight, source, 0, 0, SRCCOPY);
  SetTextColor(strip, XorWhite(ControlColor));
  SetBkColor(strip, XorWhite(BackColor));
  BitBlt(strip, x + kInvertedHalf, y, width, kMarkHeight, source, 0, 0, SRCCOPY);
}

}  // namespace

void BuildMarkGlyphs(HWND textWindow) {
  MarkGlyphBitmap.Reset();
  const int height = TheDocument.RowHeight < 1 ? 1 : TheDocument.RowHeight;
  win::WindowDC window(textWindow);
  // The strip belongs to MarkGlyphBitmap from its creation on (it lives until the next rebuild
  // or shutdown).
  MarkGlyphBitmap.Reset(CreateCompatibleBitmap(window, kStripWidth, height));
  if (!MarkGlyphBitmap) return;
  win::MemoryDC dc(window);
  win::Selection selected(dc, MarkGlyphBitmap);
  FillColumns(dc, 0, kInvertedHalf, height, BackColor);
  FillColumns(dc, kInvertedHalf, kStripWidth, height, XorWhite(BackColor));
  const int y = (height - kMarkHeight) / 2;
  win::Bitmap lineEnd(LoadBitmapA(Instance, kCrBitmap));
  win::Bitmap tab(LoadBitmapA(Instance, kTabBitmap));
  DrawMark(dc, lineEnd.get(), 0, kLineEndWidth, y);
  DrawMark(dc, tab.get(), kTabX, kTabWidth, y);
}
