// The file lists' shared item text and icon cells (see list_items_win.h).
#include "viewer/frame/list_items_win.h"

#include "platform/win/owners.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kOverlayCellX = 80;

void DrawIconCell(HDC dc, HDC bitmap, int x, int y, int cellX) {
  BitBlt(dc, x, y, kIconCellSize, kIconCellSize, bitmap, cellX, 0, SRCAND);
  BitBlt(dc, x, y, kIconCellSize, kIconCellSize, bitmap, cellX, kIconCellSize, SRCPAINT);
}

}  // namespace

std::string ListItemText(HWND list, int index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (length <= 0) return {};
  std::string text(size_t(length) + 1, '\0');
  length = SendMessageA(list, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(length > 0 ? size_t(length) : 0);
  return text;
}

void DrawIconCells(HDC dc, int x, int y, int kind, bool overlay) {
  if (!IconBitmap) return;
  win::MemoryDC bitmap(dc);
  win::Selection selected(bitmap, IconBitmap);
  // The monochrome cells take the DC's text and background colours: black and white.
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  DrawIconCell(dc, bitmap, x, y, kind * kIconCellSize);
  if (overlay) DrawIconCell(dc, bitmap, x, y, kOverlayCellX);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}
