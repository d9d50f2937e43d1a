// The file lists' text with visible underscores (see list_text_win.h).
#include "viewer/frame/list_text_win.h"

#include "platform/win/owners.h"
#include "text/sjis.h"

namespace {

// The font last looked at, told apart by its handle and its measures (a handle can be reused).
struct CheckedFont {
  HFONT font = nullptr;
  LONG height = 0;
  LONG averageWidth = 0;
  bool blank = false;
};

bool DrawsInk(HDC reference, const TEXTMETRICA& metrics) {
  const int width = int(metrics.tmMaxCharWidth) + 4, height = int(metrics.tmHeight) + 4;
  win::MemoryDC memory(reference);
  win::Bitmap bitmap(CreateCompatibleBitmap(reference, width, height));
  if (!memory || !bitmap) return true;  // nothing to find out with: draw as the font does
  win::Selection selectedBitmap(memory, bitmap);
  win::Selection selectedFont(memory, GetCurrentObject(reference, OBJ_FONT));
  const RECT all{0, 0, width, height};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(memory, RGB(0, 0, 0));
  SetBkMode(memory, TRANSPARENT);
  SetTextAlign(memory, TA_LEFT | TA_TOP);
  TextOutA(memory, 2, 2, "_", 1);
  const COLORREF white = GetPixel(memory, 0, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (GetPixel(memory, x, y) != white) return true;
  return false;
}

// The bar of an underscore: its top below the cell's top, and its thickness.
struct Bar {
  int top;
  int thickness;
};

Bar UnderscoreBar(HDC dc, const TEXTMETRICA& metrics) {
  GLYPHMETRICS glyph{};
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  Bar bar{int(metrics.tmAscent) + (metrics.tmDescent > 1 ? int(metrics.tmDescent) / 2 : 0), 1};
  if (GetGlyphOutlineA(dc, '_', GGO_METRICS, &glyph, 0, nullptr, &identity) != GDI_ERROR) {
    bar = {int(metrics.tmAscent) - int(glyph.gmptGlyphOrigin.y), int(glyph.gmBlackBoxY) > 0 ? int(glyph.gmBlackBoxY) : 1};
  }
  // Inside the cell, whatever the glyph's box says.
  if (bar.top + bar.thickness > int(metrics.tmHeight)) bar.top = int(metrics.tmHeight) - bar.thickness;
  if (bar.top < 0) bar.top = 0;
  return bar;
}

int TextWidth(HDC dc, const char* text, int length) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text, length, &size);
  return int(size.cx);
}

// The left and top edges of text drawn at (x, y) under the DC's alignment.
POINT TextOrigin(HDC dc, int x, int y, int width, const TEXTMETRICA& metrics) {
  const UINT align = GetTextAlign(dc);
  if ((align & TA_CENTER) == TA_CENTER) x -= width / 2;
  else if (align & TA_RIGHT) x -= width;
  if ((align & TA_BASELINE) == TA_BASELINE) y -= int(metrics.tmAscent);
  else if (align & TA_BOTTOM) y -= int(metrics.tmHeight);
  return {x, y};
}

void DrawUnderscoreBars(HDC dc, int x, int y, const char* text, int length) {
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const POINT origin = TextOrigin(dc, x, y, TextWidth(dc, text, length), metrics);
  const Bar bar = UnderscoreBar(dc, metrics);
  const int barWidth = TextWidth(dc, "_", 1);
  win::Brush ink(CreateSolidBrush(GetTextColor(dc)));
  for (int i = 0; i < length; ++i) {
    if (IsSjisLead(uint8_t(text[i]))) {
      ++i;
      continue;
    }
    if (text[i] != '_') continue;
    const int left = int(origin.x) + TextWidth(dc, text, i);
    const RECT r{left, int(origin.y) + bar.top, left + barWidth, int(origin.y) + bar.top + bar.thickness};
    FillRect(dc, &r, ink);
  }
}

}  // namespace

bool UnderscoreIsBlank(HDC dc) {
  static CheckedFont checked;
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  HFONT font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  if (font != checked.font || metrics.tmHeight != checked.height || metrics.tmAveCharWidth != checked.averageWidth) {
    checked = {font, metrics.tmHeight, metrics.tmAveCharWidth, !DrawsInk(dc, metrics)};
  }
  return checked.blank;
}

void ListTextOut(HDC dc, int x, int y, const char* text, int length) {
  TextOutA(dc, x, y, text, length);
  bool hasUnderscore = false;
  for (int i = 0; i < length && !hasUnderscore; ++i) {
    if (IsSjisLead(uint8_t(text[i]))) ++i;
    else hasUnderscore = text[i] == '_';
  }
  if (hasUnderscore && UnderscoreIsBlank(dc)) DrawUnderscoreBars(dc, x, y, text, length);
}
