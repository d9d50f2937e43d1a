// Zelko Filer's owner-drawn list items: the icon of the entry's type (with the overlay mark),
// then the item text's columns at their positions, left- or right-aligned, in the filer font.
#include <algorithm>

#include "platform/win/owners.h"
#include "viewer/filer/filer_entry.h"
#include "viewer/filer/filer_parts_win.h"
#include "viewer/filer/filer_text.h"
#include "viewer/filer/filer_win.h"
#include "viewer/frame/list_items_win.h"
#include "viewer/frame/list_text_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

void DrawIcon(const RECT& item, HDC dc, int x, uint32_t data) {
  int y = item.top + (item.bottom - item.top - kIconCellSize) / 2;
  DrawIconCells(dc, x, y, ItemTypeCode(data), (data & kItemOverlay) != 0);
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
    ListTextOut(dc, x + kIconCellSize + FilerColumnPositions[i], y, column.data(), int(column.size()));
  }
  SetTextAlign(dc, TA_LEFT);
}

}  // namespace

std::string FilerItemText(HWND list, int index) { return ListItemText(list, index); }

void MeasureFilerItem(MEASUREITEMSTRUCT* measure) { measure->itemHeight = UINT(std::max(FilerFontHeight, kIconCellSize)); }

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
  DrawIcon(draw->rcItem, dc, x, data);
  std::string text = ListItemText(draw->hwndItem, int(draw->itemID));
  if (FilerLowerCase) text = LowerAscii(text);
  DrawColumns(dc, draw->rcItem, x, text);
  if (draw->itemState & ODS_FOCUS) DrawFocusRect(dc, &draw->rcItem);
}
