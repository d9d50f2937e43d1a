// The main window "Zelko View 32": creates its children, lays them out for the tool-bar
// placement and the status bar, paints the logo and the sunken frame around the text, and
// routes commands, keys, menus and status-bar help.
#include "viewer/shell/main_window_win.h"

#include <windows.h>
#include <shellapi.h>

#include "controls/plim32_win.h"
#include "platform/win/owners.h"
#include "viewer/shell/dispatch_command_win.h"
#include "viewer/shell/file_drop_target_win.h"
#include "viewer/settings/key_table.h"
#include "viewer/frame/link_windows_win.h"
#include "viewer/shell/menus_win.h"
#include "viewer/frame/process_watch_win.h"
#include "viewer/settings/settings_globals.h"
#include "viewer/settings/settings_win.h"
#include "viewer/frame/position_item_win.h"
#include "viewer/frame/status_bar_win.h"
#include "viewer/shell/tool_bar_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kLogoWidth = 152;
constexpr int kLogoHeight = 18;

// The dialog base units: B (horizontal) and the status unit S (vertical + 4).
int BaseUnitX() { return LOWORD(GetDialogBaseUnits()); }
int BaseUnitY() { return HIWORD(GetDialogBaseUnits()); }

HWND CreateChild(HWND parent, const char* className, DWORD style, int x, int y, int width, int height, int id) {
  return CreateWindowExA(0, className, "", WS_CHILD | style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(INT_PTR(id)), Instance, nullptr);
}

void CreateStatusItems(HWND window, int bottom) {
  int b = BaseUnitX();
  int s = BaseUnitY() + 4;
  CreateChild(window, "PlimTray", WS_VISIBLE, 1, bottom, 12 * b + 2, s - 2, kPositionFrameId);
  CreateChild(window, "STATIC", WS_VISIBLE | SS_CENTER, 2, bottom + 1, 12 * b, s - 4, kPositionTextId);
  CreateChild(window, kMarkListWindowClass, 0, 2, bottom + 1, 12 * b, s - 4, kMarkListId);
  CreateChild(window, "PlimTray", WS_VISIBLE, 0, bottom, 1, s - 2, kMessageFrameId);
  CreateChild(window, "STATIC", WS_VISIBLE, 0, bottom, 1, s - 4, kMessageTextId);
  HWND meter = CreateChild(window, "PlimMeter", WS_VISIBLE, 0, bottom, 1, s - 2, kLoadMeterId);
  SendMessageA(meter, BM_GETCHECK, 0, 0);
  SendMessageA(meter, PLIM_METER_SETBACKGROUND, 0, LPARAM(GetSysColor(COLOR_BTNFACE)));
  SendMessageA(meter, BM_SETSTATE, 0, 0);
  HWND following = CreateChild(window, "STATIC", SS_CENTER, 0, bottom, 1, s - 4, IDC_FOLLOW_TEXT);
  SetWindowTextA(following, "追従中");
  CreateChild(window, "PlimSizeGrip", WS_VISIBLE, 0, bottom, 10, s - 1, kSizeGripId);
}

// With "fit the window to the wrap width" and wrapping on, the window is as wide as LineMax
// columns of the text font plus the margins (a LineMax of 0 does not wrap: nothing to fit).
void FitWidthToWrap(HWND window) {
  if (!(WindowStyle & 4) || !WrapLines || LineMax < 1) return;
  RECT frame, client;
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  int c = CharWidth;
  int width = (LineMax + 1) * c + Spacing + RSpacing + (frame.right - frame.left - client.right) + 16;
  if (ShowLineNumbers) width += 6 * c;
  SetWindowPos(window, nullptr, 0, 0, width, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
}

void AddSettingsToSystemMenu(HWND window) {
  HMENU system = GetSystemMenu(window, FALSE);
  AppendMenuA(system, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(system, MF_STRING, IDM_SETTINGS, "Zelko Viewの設定...");
}

void MeasureFilerLetter(HWND window) {
  win::WindowDC dc(window);
  SIZE size{};
  GetTextExtentPoint32A(dc, "W", 1, &size);
  FilerLetterWidth = size.cx;
  FilerLetterHeight = size.cy;
}

void OnCreate(HWND window) {
  BuildToolBar(window);
  CreateChild(window, kLeftTabWindowClass, WS_VISIBLE, 10, 100, 8, 11, kLeftTabId);
  TextWindow = CreateWindowExA(0, kTextWindowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                               0, 0, 1, 1, window, nullptr, Instance, nullptr);
  RECT client;
  GetClientRect(window, &client);
  CreateStatusItems(window, client.bottom);
  DragAcceptFiles(window, TRUE);
  RegisterFileDropTarget(window);
  if (ShowMenuBar) SetMenu(window, MainMenu);
  FitWidthToWrap(window);
  AddSettingsToSystemMenu(window);
  MeasureFilerLetter(window);
}

void Place(HWND window, int id, int x, int y, int width, int height) {
  if (HWND child = GetDlgItem(window, id)) MoveWindow(child, x, y, width, height, TRUE);
}

void PlaceStatusItems(HWND window, int w, int h, int left, int bottom) {
  int b = BaseUnitX();
  int x0 = left - 2 > 1 ? left - 2 : 1;
  int itemHeight = BaseUnitY() + 2;
  int y = h - bottom + 3;
  const int p = PositionItemWidth(12 * b);  // the position item grows with the row count's digits
  Place(window, kPositionFrameId, x0, y, p + 2, itemHeight);
  Place(window, kPositionTextId, x0 + 1, y + 1, p, itemHeight - 2);
  Place(window, kMarkListId, x0 + 1, y + 1, p, itemHeight - 2);
  Place(window, kLoadMeterId, x0 + p + 3, y, 12 * b + 2, itemHeight);
  Place(window, IDC_FOLLOW_TEXT, x0 + p + 3, y + 1, 12 * b + 2, itemHeight - 2);
  Place(window, kMessageFrameId, x0 + p + 12 * b + 6, y, w - (p + 12 * b + 4) - x0 - 12, itemHeight);
  Place(window, kMessageTextId, x0 + p + 12 * b + 7, y + 1, w - (p + 12 * b + 4) - x0 - 14, itemHeight - 2);
  Place(window, kSizeGripId, w - 10, y, 10, itemHeight + 1);
}

void PaintLogo(HDC dc, int width) {
  if (ToolBarPlacement != 1 || ToolBarEnd >= width - 160 || !LogoBitmap) return;
  win::MemoryDC logo(dc);
  win::Selection bitmap(logo, LogoBitmap);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  BitBlt(dc, width - 160, 3, kLogoWidth, kLogoHeight, logo, 0, 0, SRCCOPY);
}

void Line(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2) {
  win::Pen pen(CreatePen(PS_SOLID, 1, colour));
  win::Selection selected(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// A two-pixel sunken frame just outside the text window.
void PaintTextFrame(HDC dc) {
  if (!TextWindow) return;
  RECT r;
  GetWindowRect(TextWindow, &r);
  MapWindowPoints(nullptr, MainWindow ? MainWindow : GetParent(TextWindow), reinterpret_cast<POINT*>(&r), 2);
  int left = r.left - 2, top = r.top - 2, right = r.right + 1, bottom = r.bottom + 1;
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
  Line(dc, shadow, left, bottom, left, top);
  Line(dc, shadow, left, top, right + 1, top);
  Line(dc, RGB(0, 0, 0), left + 1, bottom - 1, left + 1, top + 1);
  Line(dc, RGB(0, 0, 0), left + 1, top + 1, right, top + 1);
  Line(dc, face, left + 1, bottom - 1, right - 1, bottom - 1);
  Line(dc, face, right - 1, bottom - 1, right - 1, top);
  Line(dc, RGB(255, 255, 255), left, bottom, right, bottom);
  Line(dc, RGB(255, 255, 255), right, bottom, right, top - 1);
}

void OnPaint(HWND window) {
  win::PaintDC dc(window);
  RECT client;
  GetClientRect(window, &client);
  PaintLogo(dc, client.right);
  PaintTextFrame(dc);
}

void ShowMenuHelp(WPARAM wParam) {
  if (HIWORD(wParam) != MF_HILITE) return;
  char line[100];
  if (LoadStringA(Instance, LOWORD(wParam), line, sizeof line) > 0) ShowStatusMessage(line, 0);
}

// The mark strip takes the place of the position text while the mouse is over it.
void SwapPositionAndMarks(HWND window, LPARAM lParam) {
  ShowStatusMessage("", 0);
  HWND position = GetDlgItem(window, kPositionTextId);
  HWND marks = GetDlgItem(window, kMarkListId);
  if (!position || !marks) return;
  RECT area;
  GetWindowRect(position, &area);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
  POINT point = {short(LOWORD(lParam)), short(HIWORD(lParam))};
  bool inside = PtInRect(&area, point) != 0;
  if (inside && IsWindowVisible(position)) {
    ShowWindow(position, SW_HIDE);
    ShowWindow(marks, SW_SHOW);
  } else if (!inside && IsWindowVisible(marks)) {
    ShowWindow(marks, SW_HIDE);
    ShowWindow(position, SW_SHOW);
  }
}

void ShowToolDescription(HWND window, HWND tool) {
  char description[256], shown[256];
  GetWindowTextA(tool, description, sizeof description);
  StatusMessageText(shown, sizeof shown);
  if (lstrcmpA(description, shown) != 0) ShowStatusMessage(description, 0);
}

// The main window's placement, or with linking on the group's rectangle in a normal state:
// the sub-windows' shares come out of it again at the next start.
void SaveMainOrGroupPlacement(HWND window) {
  WindowPlacementValue placement = PlacementOfWindow(window);
  RECT group{};
  if (placement.showState == kShowNormal && LinkedGroupRect(window, group)) {
    placement.left = group.left;
    placement.top = group.top;
    placement.width = group.right - group.left;
    placement.height = group.bottom - group.top;
  }
  (void)SaveMainPlacement(placement);  // best effort: the window is closing
}

void OnDestroy(HWND window) {
  SaveMainOrGroupPlacement(window);
  SetMenu(window, nullptr);
  DragAcceptFiles(window, FALSE);
  RevokeFileDropTarget(window);
  PostQuitMessage(0);
  UnlinkWindow(window);
}

}  // namespace

void LayOutMainWindow(HWND window, int w, int h) {
  int top = ToolBarPlacement == 1 ? 26 : 2;
  int left = ToolBarPlacement == 2 ? 30 : 2;
  int bottom = ShowStatusBar ? BaseUnitY() + 6 : 2;
  if (TextWindow) MoveWindow(TextWindow, left, top, w - 2 - left, h - bottom - top, TRUE);
  ShowToolBar(window, ToolBarPlacement != 0);
  PlaceStatusItems(window, w, h, left, bottom);
  if (!IsIconic(window)) {
    if (HWND tab = GetDlgItem(window, kLeftTabId)) SendMessageA(tab, WM_ZV_SETTABPOS, WPARAM(-1), 0);
  }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      return 0;
    case WM_SIZE:
      LayOutMainWindow(window, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_PAINT:
      OnPaint(window);
      return 0;
    case WM_KEYDOWN:
      if (TextWindow) PostMessageA(TextWindow, message, wParam, lParam);
      return 0;
    case WM_COMMAND:
      if (DispatchCommand(window, LOWORD(wParam))) return 0;
      break;
    case WM_SYSCOMMAND:
      if (wParam == IDM_SETTINGS) {
        PostMessageA(window, WM_COMMAND, IDM_SETTINGS, 0);
        return 0;
      }
      break;
    case WM_INITMENUPOPUP:
      UpdatePopupMenu(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
      return 0;
    case WM_ENTERMENULOOP:
      RememberStatusMessage();
      return 0;
    case WM_MENUSELECT:
      ShowMenuHelp(wParam);
      return 0;
    case WM_EXITMENULOOP:
      RestoreStatusMessage();
      return 0;
    case WM_CTLCOLORSTATIC:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return LRESULT(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
    case WM_MOUSEMOVE:
      SwapPositionAndMarks(window, lParam);
      return 0;
    case WM_PARENTNOTIFY:
      if (LOWORD(wParam) == WM_MOUSEMOVE) ShowToolDescription(window, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      OnLinkedWindowPosChanged(window, reinterpret_cast<const WINDOWPOS*>(lParam));
      break;
    case WM_DROPFILES:
      OpenDroppedFiles(window, reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_ZV_RELOADKEYS:
      LoadKeyAssign();
      return 0;
    case WM_CLOSE:
      if (!ConfirmCloseWithRunningMembers(window)) return 0;
      MainWindow = nullptr;
      break;
    case WM_QUERYENDSESSION:
      return ConfirmCloseWithRunningMembers(window);
    case WM_DESTROY:
      OnDestroy(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
