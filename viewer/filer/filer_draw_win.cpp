// Zelko Filer's owner-drawn list items: the icon of the entry's type (with the overlay mark),
// then the item text's columns at their positions, left- or right-aligned, in the filer font.
#include <algorithm>

#include "platform/win/owners.h"
#include "viewer/filer/filer_entry.h"
#include "viewer/filer/filer_parts_win.h"
#include "viewer/filer/filer_text.h"
#include "viewer/filer/filer_win.h"
#include "viewer/shell/settings_globals.h"
#include "viewer/shell/viewer_globals_win.h"

namespace {

constexpr int kIconSize = 16;
constexpr int kOverlayCellX = 80;

// A masked 16 x 16 cell of the "Icon" bitmap: mask row 0 with AND, picture row 16 with OR.
void DrawIconCell(HDC dc, HDC bitmap, int x, int y, int cellX) {
  BitBlt(dc, x, y, kIconSize, kIconSize, bitmap, cellX, 0, SRCAND);
  BitBlt(dc, x, y, kIconSize, kIconSize, bitmap, cellX, kIconSize, SRCPAINT);
}

void DrawIcon(HDC dc, const RECT& item, int x, uint32_t data) {
  if (!IconBitmap) return;
  win::MemoryDC bitmap(dc);
  win::Selection selected(bitmap, IconBitmap);
  COLORREF text = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF back = SetBkColor(dc, RGB(255, 255, 255));
  int y = item.top + (item.bottom - item.top - kIconSize) / 2;
  DrawIconCell(dc, bitmap, x, y, ItemTypeCode(data) * kIconSize);
  if (data & kItemOverlay) DrawIconCell(dc, bitmap, x, y, kOverlayCellX);
  SetTextColor(dc, text);
  SetBkColor(dc, back);
}

std::string ItemText(HWND list, int index) {
  LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
  if (length <= 0) return {};
  std::string text(size_t(length) + 1, '\0');
  length = SendMessageA(list, LB_GETTEXT, WPARAM(index), LPARAM(text.data()));
  text.resize(length > 0 ? size_t(length) : 0);
  return text;
}

void DrawColumns(HDC dc, const RECT& item, int x, const std::string& text) {
  win::Selection font(dc, FilerFontObject());
  int y = item.top + (item.bottom - item.top - FilerFontHeight) / 2;
  std::vector<std::string_view> columns = ItemColumns(text);
  for (size_t i = 0; i < columns.size() && i < FilerColumnPositions.size(); ++i) {
    std::string_view column = columns[i];
    if (column.empty()) continue;
    bool right = column[0] == 'R';
    column.remove_prefix(1);
    SetTextAlign(dc, right ? TA_RIGHT : TA_LEFT);
    TextOutA(dc, x + kIconSize + FilerColumnPositions[i], y, column.data(), int(column.size()));
  }
  SetTextAlign(dc, TA_LEFT);
}

}  // namespace

std::string FilerItemText(HWND list, int index) { return ItemText(list, index); }

void MeasureFilerItem(MEASUREITEMSTRUCT* measure) { measure->itemHeight = UINT(std::max(FilerFontHeight, kIconSize)); }

void DrawFilerItem(HWND filer, const DRAWITEMSTRUCT* draw) {
  if (draw->itemID == UINT(-1)) return;
  if (draw->itemAction == ODA_FOCUS) {
    DrawFocusRect(draw->hDC, &draw->rcItem);
    return;
  }
  HDC dc = draw->hDC;
  bool selected = (draw->itemState & ODS_SELECTED) != 0;
  win::Brush fill(CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
  FillRect(dc, &draw->rcItem, fill);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  const uint32_t data = uint32_t(draw->itemData);
  int x = draw->rcItem.left + (FilerVertical ? ItemIndentation(data) * FilerBaseUnitX() / 2 : 0);
  DrawIcon(dc, draw->rcItem, x, data);
  std::string text = ItemText(draw->hwndItem, int(draw->itemID));
  if (FilerLowerCase) text = LowerAscii(text);
  DrawColumns(dc, draw->rcItem, x, text);
  if (draw->itemState & ODS_FOCUS) DrawFocusRect(dc, &draw->rcItem);
}
