// The archive filer's member list: item data and check marks, drawing, and the front end.
#include "viewer/archive_filer/archive_list_box_win.h"

#include "platform/win/owners.h"
#include "viewer/filer/filer_text.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/frame/list_items_win.h"
#include "viewer/frame/list_text_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kPreviousProcedure[] = "ArchiveListProc";
constexpr int kTypeShift = 16;
constexpr LPARAM kTypeMask = 0x7F;
constexpr int kMemberMask = 0xFFFF;

LPARAM ItemData(HWND list, int line) { return SendMessageA(list, LB_GETITEMDATA, WPARAM(line), 0); }

void DrawLineIcon(HDC dc, const RECT& item, LPARAM data) {
  int y = item.top + (item.bottom - item.top - kIconCellSize) / 2;
  DrawIconCells(dc, item.left, y, int((data >> kTypeShift) & kTypeMask), (data & kArchiveItemChecked) != 0);
}

void DrawColumns(HDC dc, const RECT& item, const std::string& text, const int* positions) {
  win::Selection font(dc, ArchiveListFont());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  int y = item.top + (item.bottom - item.top - metrics.tmHeight) / 2;
  std::vector<std::string_view> columns = ItemColumns(text);
  for (size_t k = 0; k < columns.size() && k < 7; ++k) {
    if (columns[k].empty()) continue;
    bool right = columns[k][0] == 'R';
    const char* body = columns[k].data() + 1;
    int length = int(columns[k].size() - 1);
    int x = item.left + kIconCellSize + positions[k];
    SetTextAlign(dc, right ? TA_RIGHT : TA_LEFT);
    ListTextOut(dc, x, y, body, length);
  }
  SetTextAlign(dc, TA_LEFT);
}

void PassClickAsSelection(HWND list) {
  SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

// A press selects the line under the pointer; on its icon it toggles the check mark instead
// of showing the member.
void OnButtonDown(HWND list, LPARAM lParam) {
  SetFocus(list);
  int height = int(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  int line = short(HIWORD(lParam)) / (height > 0 ? height : 1) + int(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (line < 0 || line >= count) return;
  int iconLeft = int(ItemData(list, line) >> 24) * LOWORD(GetDialogBaseUnits()) / 2;
  int x = short(LOWORD(lParam));
  SendMessageA(list, LB_SETCURSEL, WPARAM(line), 0);
  if (x >= iconLeft && x < iconLeft + kIconCellSize) {
    ToggleLineCheck(list, line);
  } else {
    PassClickAsSelection(list);
  }
}

}  // namespace

HWND CreateArchiveList(HWND window) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE |
                LBS_HASSTRINGS | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT;
  HWND list = CreateWindowExA(0, "LISTBOX", "", style, 0, 0, 0, 0, window,
                              reinterpret_cast<HMENU>(INT_PTR(IDC_ARCH_LIST)), Instance, nullptr);
  if (!list) return nullptr;
  LONG_PTR previous = SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ArchiveListBoxFrontEnd));
  SetPropA(list, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
  return list;
}

int MemberOfLine(HWND list, int line) { return int(ItemData(list, line) & kMemberMask); }

bool IsLineChecked(HWND list, int line) { return (ItemData(list, line) & kArchiveItemChecked) != 0; }

void ToggleLineCheck(HWND list, int line) {
  SendMessageA(list, LB_SETITEMDATA, WPARAM(line), ItemData(list, line) ^ kArchiveItemChecked);
  RECT item{};
  if (SendMessageA(list, LB_GETITEMRECT, WPARAM(line), reinterpret_cast<LPARAM>(&item)) != LB_ERR)
    InvalidateRect(list, &item, FALSE);
}

void ToggleAllChecks(HWND list) {
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int line = 0; line < count; ++line)
    SendMessageA(list, LB_SETITEMDATA, WPARAM(line), ItemData(list, line) ^ kArchiveItemChecked);
  InvalidateRect(list, nullptr, FALSE);
}

std::vector<int> CheckedLines(HWND list) {
  std::vector<int> lines;
  int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  for (int line = 0; line < count; ++line)
    if (IsLineChecked(list, line)) lines.push_back(line);
  return lines;
}

std::string FileNameOfLine(HWND list, int line) {
  const std::string text = ListItemText(list, line);
  std::vector<std::string_view> columns = ItemColumns(text);
  std::string name;
  for (size_t k = 0; k < 2 && k < columns.size(); ++k)
    if (!columns[k].empty()) name += columns[k].substr(1);
  return name;
}

HFONT ArchiveListFont() {
  return FilerFontHandle ? FilerFontHandle : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

// Every line has the same height: measured once per font, not once per line (a list of ten
// thousand members would otherwise ask for a screen DC ten thousand times).
void MeasureArchiveLine(MEASUREITEMSTRUCT* measure) {
  static HFONT measuredFont = nullptr;
  static UINT height = kIconCellSize;
  HFONT current = ArchiveListFont();
  if (current != measuredFont) {
    win::WindowDC dc(nullptr);
    win::Selection font(dc, current);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    height = UINT(metrics.tmHeight > kIconCellSize ? metrics.tmHeight : kIconCellSize);
    measuredFont = current;
  }
  measure->itemHeight = height;
}

void DrawArchiveLine(const DRAWITEMSTRUCT* draw, const int* positions) {
  if (draw->itemID == UINT(-1)) return;
  HDC dc = draw->hDC;
  if (draw->itemAction == ODA_FOCUS) {
    DrawFocusRect(dc, &draw->rcItem);
    return;
  }
  bool selected = (draw->itemState & ODS_SELECTED) != 0;
  win::Brush background(CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW)));
  FillRect(dc, &draw->rcItem, background.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT item = draw->rcItem;
  item.left += int(draw->itemData >> 24) * LOWORD(GetDialogBaseUnits()) / 2;
  DrawLineIcon(dc, item, LPARAM(draw->itemData));
  if (positions) DrawColumns(dc, item, ListItemText(draw->hwndItem, int(draw->itemID)), positions);
  if (draw->itemState & ODS_FOCUS) DrawFocusRect(dc, &draw->rcItem);
}

LRESULT CALLBACK ArchiveListBoxFrontEnd(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(GetPropA(list, kPreviousProcedure));
  switch (message) {
    case WM_LBUTTONDOWN:
      OnButtonDown(list, lParam);
      return 0;
    case WM_NCDESTROY:
      RemovePropA(list, kPreviousProcedure);
      SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      break;
  }
  return CallWindowProcA(previous, list, message, wParam, lParam);
}
