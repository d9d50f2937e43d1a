// The text window's procedure: font measurement at creation, the layout values that follow the
// client size, the cursor over the line-number column, keys turned into commands, and the
// dispatch of painting, scrolling and mouse selection to their own files.
#include "viewer/text_window/text_window_win.h"

#include "platform/win/owners.h"
#include "viewer/document/document.h"
#include "viewer/document/scroll_math.h"
#include "viewer/text_window/text_window_parts_win.h"
#include "viewer/settings/key_table.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr UINT kSystemTimerMessage = 0x118;
constexpr UINT kKeyCommandBase = 20000;

int32_t TextWidth(HDC dc, const char* text) {
  SIZE size{};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  return size.cx;
}

LRESULT OnCreate(HWND window) {
  MeasureTextFont(window);
  TextScrollAllowances.right = GetSystemMetrics(SM_CYVTHUMB);
  TextScrollAllowances.bottom = GetSystemMetrics(SM_CXHTHUMB);
  HScrollShown = false;
  ShowScrollBar(window, SB_HORZ, FALSE);
  SendMessageA(window, WM_ZV_REFRESH, 0, 0);
  BuildMarkGlyphs(window);
  return 0;
}

// Showing or hiding the horizontal bar resizes the client area again (a nested WM_SIZE), so
// the rows are counted from the client height as it is afterwards, not from lParam.
LRESULT OnSize(HWND window) {
  UpdateHorizontalBar(window);
  RECT client{};
  GetClientRect(window, &client);
  PageRowCount = PageRows(client.bottom, TheDocument.RowHeight);
  return 0;
}

// The "Line" cursor over the line numbers and the margin; the class cursor elsewhere.
bool SetMarginCursor(HWND window, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT) return false;
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(window, &point);
  if (point.x >= CurrentTextLeft()) return false;
  SetCursor(LineCursor ? LineCursor : LoadCursorA(nullptr, IDC_ARROW));
  return true;
}

void OnKeyDown(WPARAM virtualKey) {
  int code = TranslateKey(KeyTable, uint16_t(virtualKey), CurrentKeyModifiers());
  if (code != kNoCommand && MainWindow) PostMessageA(MainWindow, WM_COMMAND, kKeyCommandBase + code, 0);
}

// The right-button menu `which` (on selected text, on line numbers, elsewhere), sending its
// commands to the main window.
void ShowContextMenu(int which, POINT screenPoint) {
  if (which < 0 || which >= kRightMenuCount || !ContextMenus[which]) return;
  TrackPopupMenu(ContextMenus[which], TPM_CENTERALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y + 3, 0,
                 MainWindow, nullptr);
}

void OnRightButtonDown(HWND window, LPARAM lParam) {
  POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
  int which = ContextMenuAt(point);
  ClientToScreen(window, &point);
  ShowContextMenu(which, point);
}

}  // namespace

// RowHeight from a sample of every kind of character the window shows; CharWidth as the
// advance of one half-width column (so overhangs do not count).
void MeasureTextFont(HWND window) {
  win::WindowDC dc(window);
  win::Selection font(dc, CurrentDisplayFont());
  SIZE sample{};
  const char kSample[] = "A1漢あＡ";
  GetTextExtentPoint32A(dc, kSample, lstrlenA(kSample), &sample);
  TheDocument.RowHeight = sample.cy + LineSpacing;
  if (TheDocument.RowHeight < 1) TheDocument.RowHeight = 1;
  CharWidth = TextWidth(dc, "AA") - TextWidth(dc, "A");
  if (CharWidth < 1) CharWidth = 1;
}

HFONT CurrentDisplayFont() {
  return DisplayFont ? DisplayFont : static_cast<HFONT>(GetStockObject(SYSTEM_FIXED_FONT));
}

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_SIZE:
      return OnSize(window);
    case WM_PAINT:
      PaintTextWindow(window);
      return 0;
    case WM_ERASEBKGND:
    case WM_CANCELMODE:
      return 0;  // painting covers the whole client area
    case WM_SETCURSOR:
      if (SetMarginCursor(window, lParam)) return 0;
      break;
    case WM_MOUSEACTIVATE:
      return MA_ACTIVATE;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      return 0;
    case WM_VSCROLL:
      return OnVerticalScroll(window, wParam, lParam);
    case WM_HSCROLL:
      return OnHorizontalScroll(window, wParam, lParam);
    case WM_MOUSEWHEEL:
      return OnMouseWheel(window, wParam, lParam);
    case WM_MOUSEMOVE:
      OnSelectionMove(window, wParam, lParam);
      PostMessageA(GetParent(window), WM_MOUSEMOVE, wParam, lParam);
      return 0;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(window, lParam);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLeftButtonDoubleClick(window, lParam);
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(window);
      return 0;
    case WM_CAPTURECHANGED:
      OnCaptureLost(window);
      return 0;
    case WM_RBUTTONDOWN:
      OnRightButtonDown(window, lParam);
      return 0;
    case WM_ZV_REFRESH:
      RefreshScrollBars(window);
      InvalidateRowsLoadedSincePaint();
      return 0;
    case WM_TIMER:
    case kSystemTimerMessage:
      OnDragTimer(window);  // the drag selection's auto-scroll tick
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
