// The line-list window "ZelkoView!LList" (see line_list_win.h): its list box, its properties
// "Brush" (the list's background brush) and "INI" (a global atom naming the registry value of
// its placement), and the service functions other windows call.
#include "viewer/search_windows/line_list_win.h"

#include <algorithm>

#include "platform/win/owners.h"
#include "viewer/document/document.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/search_windows/line_list_paint_win.h"
#include "viewer/frame/link_windows_win.h"
#include "viewer/frame/top_level_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kBrushProperty[] = "Brush";
constexpr char kPlacementProperty[] = "INI";
constexpr int kPlacementNameLength = 20;
constexpr DWORD kLineListStyle =
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr DWORD kListBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED |
                                LBS_NOINTEGRALHEIGHT | WS_TABSTOP;

HWND ListBoxOf(HWND window) { return GetDlgItem(window, kLineListBoxId); }

// The list box's border lies just outside the client area.
void FitListBox(HWND window, int width, int height) {
  if (HWND list = ListBoxOf(window)) MoveWindow(list, -1, -1, width + 2, height + 2, TRUE);
}

LRESULT OnCreate(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HWND list = CreateWindowExA(0, "LISTBOX", nullptr, kListBoxStyle, -1, -1, client.right + 2, client.bottom + 2,
                              window, reinterpret_cast<HMENU>(INT_PTR(kLineListBoxId)), Instance, nullptr);
  if (!list) return -1;
  HFONT oem = OemFont ? OemFont : static_cast<HFONT>(GetStockObject(OEM_FIXED_FONT));
  SendMessageA(list, WM_SETFONT, WPARAM(oem), FALSE);
  SetPropA(window, kBrushProperty, CreateSolidBrush(BackColor));
  return 0;
}

void OnMeasureItem(MEASUREITEMSTRUCT* item) { item->itemHeight = UINT(std::max<int32_t>(TheDocument.RowHeight, 1)); }

void OnSelectionChange(HWND window) {
  HWND list = ListBoxOf(window);
  const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  ShowRowAtTab(int32_t(SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0)));
}

void OnCommand(HWND window, WPARAM wParam) {
  if (LOWORD(wParam) == kLineListBoxId && HIWORD(wParam) == LBN_SELCHANGE) OnSelectionChange(window);
}

void OnDestroy(HWND window) {
  win::GlobalAtom atom(ATOM(reinterpret_cast<UINT_PTR>(RemovePropA(window, kPlacementProperty))));
  char name[kPlacementNameLength + 1] = "";
  if (atom && GlobalGetAtomNameA(atom, name, sizeof name) > 0) SaveSubWindowPlacement(window, name);
  win::Brush brush(static_cast<HBRUSH>(RemovePropA(window, kBrushProperty)));
  UnlinkWindow(window);
}

bool IsOwnLineList(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId() && HasWindowClass(window, kLineListWindowClass);
}

}  // namespace

LRESULT CALLBACK LineListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_SIZE:
      FitListBox(window, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) SetFocus(ListBoxOf(window));
      return 0;
    case WM_MEASUREITEM:
      OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DRAWITEM:
      DrawLineListItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_COMMAND:
      OnCommand(window, wParam);
      return 0;
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(GetPropA(window, kBrushProperty));
    case WM_WINDOWPOSCHANGED:
      OnLinkedWindowPosChanged(window, reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND OpenLineListWindow(const char* title, const char* placementName) {
  HWND window = OpenSubWindow(kLineListWindowClass, title, kLineListStyle, MainWindow, nullptr, nullptr,
                              placementName, kListLinkPath);
  if (window) SetPropA(window, kPlacementProperty, reinterpret_cast<HANDLE>(UINT_PTR(GlobalAddAtomA(placementName))));
  return window;
}

void AddLineListRows(HWND window, std::span<const int32_t> rows) {
  HWND list = ListBoxOf(window);
  if (!list || rows.empty()) return;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_INITSTORAGE, WPARAM(rows.size()), 0);
  for (int32_t row : rows) SendMessageA(list, LB_ADDSTRING, 0, LPARAM(row));
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, FALSE);
}

int32_t LineListRowCount(HWND window) {
  HWND list = ListBoxOf(window);
  return list ? int32_t(SendMessageA(list, LB_GETCOUNT, 0, 0)) : 0;
}

int32_t LineListRow(HWND window, int32_t index) {
  HWND list = ListBoxOf(window);
  if (!list || index < 0 || index >= LineListRowCount(window)) return -1;
  return int32_t(SendMessageA(list, LB_GETITEMDATA, WPARAM(index), 0));
}

void CloseLineListWindows() {
  for (HWND window : TopLevelWindows())
    if (IsOwnLineList(window)) DestroyWindow(window);
}

int32_t TabMarkedRow() {
  HWND tab = MainWindow ? GetDlgItem(MainWindow, kLeftTabId) : nullptr;
  return tab ? int32_t(SendMessageA(tab, WM_ZV_GETTABPOS, 0, 0)) : 0;
}

void ShowRowAtTab(int32_t row) { GoToPosition(row - TabMarkedRow(), TheDocument.LeftColumn); }
