// List pairs of the settings dialog (see settings_list_pair_win.h).
#include "viewer/shell/settings_list_pair_win.h"

#include <string>

#include "platform/win/owners.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/settings/settings_dialog_lists.h"
#include "viewer/settings/tool_button_table.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

enum ListButton { kDelete = 0, kInsert = 1, kUp = 2, kDown = 3, kGap = 4 };

constexpr int kImageWidth = 20;
constexpr int kImageHeight = 16;
constexpr int kTextLeft = 20;

struct Item {
  std::string text;
  int data;
};

int Count(HWND list) { return int(SendMessageA(list, LB_GETCOUNT, 0, 0)); }
int Selected(HWND list) { return int(SendMessageA(list, LB_GETCURSEL, 0, 0)); }
void Select(HWND list, int index) { SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0); }

Item ItemAt(HWND list, int index) {
  Item item{std::string(size_t(SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0)) + 1, '\0'),
            int(SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0))};
  SendMessageA(list, LB_GETTEXT, WPARAM(index), LPARAM(item.text.data()));
  item.text.resize(std::char_traits<char>::length(item.text.c_str()));
  return item;
}

void InsertItem(HWND list, int index, const Item& item) {
  int at = int(SendMessageA(list, LB_INSERTSTRING, WPARAM(index), LPARAM(item.text.c_str())));
  if (at >= 0) SendMessageA(list, LB_SETITEMDATA, WPARAM(at), LPARAM(item.data));
}

bool HasRoom(HWND dialog, HWND list, const ListPair& pair) {
  if (size_t(Count(list)) < pair.limit) return true;
  ShowError(dialog, pair.limitMessage);
  return false;
}

void DeleteSelected(HWND list) {
  const int index = Selected(list);
  if (index < 0) {
    MessageBeep(0);
    return;
  }
  SendMessageA(list, LB_DELETESTRING, WPARAM(index), 0);
  const int count = Count(list);
  if (count > 0) Select(list, index < count ? index : count - 1);
}

void InsertAvailable(HWND dialog, const ListPair& pair, HWND list, HWND available) {
  const int source = Selected(available);
  if (source < 0) {
    MessageBeep(0);
    return;
  }
  if (!HasRoom(dialog, list, pair)) return;
  const int at = Selected(list) + 1;  // the top when nothing is selected
  InsertItem(list, at, ItemAt(available, source));
  Select(list, at);
  if (source + 1 < Count(available)) Select(available, source + 1);
}

void MoveSelected(HWND list, int step) {
  const int index = Selected(list);
  const int target = index + step;
  if (index < 0 || target < 0 || target >= Count(list)) {
    MessageBeep(0);
    return;
  }
  Item item = ItemAt(list, index);
  SendMessageA(list, LB_DELETESTRING, WPARAM(index), 0);
  InsertItem(list, target, item);
  Select(list, target);
}

void InsertGap(HWND dialog, const ListPair& pair, HWND list) {
  const int index = Selected(list);
  if (index < 0) {
    MessageBeep(0);
    return;
  }
  if (!HasRoom(dialog, list, pair)) return;
  InsertItem(list, index, {kGapText, kGapItem});
  Select(list, index + 1);
}

void DrawToolImage(HDC dc, const RECT& rect, int row) {
  if (!ToolBarBitmap || row < 0 || row >= kToolButtonCount) return;
  win::MemoryDC images(dc);
  win::Selection selected(images, ToolBarBitmap);
  const int y = rect.top + (rect.bottom - rect.top - kImageHeight) / 2;
  BitBlt(dc, rect.left, y, kImageWidth, kImageHeight, images, kImageWidth * ToolButtonTable[row].image, 0, SRCCOPY);
}

}  // namespace

void EditListPair(HWND dialog, const ListPair& pair, int buttonId) {
  HWND list = GetDlgItem(dialog, pair.current);
  HWND available = GetDlgItem(dialog, pair.available);
  switch (buttonId % 1000 - kListButtonBase) {
    case kDelete:
      DeleteSelected(list);
      break;
    case kInsert:
      InsertAvailable(dialog, pair, list, available);
      break;
    case kUp:
      MoveSelected(list, -1);
      break;
    case kDown:
      MoveSelected(list, 1);
      break;
    case kGap:
      InsertGap(dialog, pair, list);
      break;
  }
}

void AppendListItem(HWND list, const char* text, int data) { InsertItem(list, -1, {text, data}); }

std::vector<int> ListItemData(HWND list) {
  std::vector<int> data;
  for (int i = 0, count = Count(list); i < count; ++i)
    data.push_back(int(SendMessageA(list, LB_GETITEMDATA, WPARAM(i), 0)));
  return data;
}

void MeasureListItem(MEASUREITEMSTRUCT* item) {
  const UINT height = HIWORD(GetDialogBaseUnits());
  item->itemHeight = height < UINT(kImageHeight) ? UINT(kImageHeight) : height;
}

void DrawListItem(const DRAWITEMSTRUCT* item, bool withImage) {
  if (item->itemID == UINT(-1) || item->itemAction == ODA_FOCUS) {
    DrawFocusRect(item->hDC, &item->rcItem);
    return;
  }
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  Item shown = ItemAt(item->hwndItem, int(item->itemID));
  if (withImage) DrawToolImage(item->hDC, item->rcItem, shown.data);
  RECT text = item->rcItem;
  text.left += kTextLeft;
  SetBkMode(item->hDC, TRANSPARENT);
  SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  DrawTextA(item->hDC, shown.text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (item->itemState & ODS_FOCUS) DrawFocusRect(item->hDC, &item->rcItem);
}
