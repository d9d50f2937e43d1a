// Scrolling of the text window: the layout values of the current client size, both scroll
// bars, every scroll code (the bars' own and the viewer's extra ones), and the two services
// other windows call, GoToPosition and InvalidateRows.  Scrolling moves the pixels already
// painted and repaints only the strip that comes into view.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "viewer/document/document.h"
#include "viewer/document/scroll_math.h"
#include "viewer/text_window/text_window_parts_win.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/frame/viewer_globals_win.h"

ScrollBarAllowances TextScrollAllowances;
bool HScrollShown = false;

namespace {

RECT ClientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

// Moves the pixels of `area` by (dx, dy); a move of the whole area or more repaints it instead
// (the product of rows and pixels may not even fit the call's int).
void ScrollArea(HWND window, RECT area, int64_t dx, int64_t dy) {
  if (dx == 0 && dy == 0) return;
  if (std::llabs(dx) >= area.right - area.left || std::llabs(dy) >= area.bottom - area.top) {
    InvalidateRect(window, &area, FALSE);
    return;
  }
  ScrollWindow(window, int(dx), int(dy), &area, &area);
}

void ScrollRows(HWND window, int64_t rows) {
  ScrollArea(window, ClientRect(window), 0, rows * TheDocument.RowHeight);
}

// Only the part right of TextLeft moves sideways: line numbers and margin stay.
void ScrollColumns(HWND window, int64_t columns) {
  RECT area = ClientRect(window);
  area.left = CurrentTextLeft();
  if (area.left >= area.right) return;
  ScrollArea(window, area, columns * CharWidth, 0);
}

// Sets a bar's range and position in one call, and only when they change: each redraw of a
// bar costs several round trips to the window server under Wine, and a followed file refreshes
// the bars at every look.
void SetBar(HWND window, int bar, int32_t maxPosition, int32_t position) {
  SCROLLINFO now{};
  now.cbSize = sizeof now;
  now.fMask = SIF_RANGE | SIF_POS;
  if (GetScrollInfo(window, bar, &now) && now.nMin == 0 && now.nMax == maxPosition && now.nPos == position) return;
  SCROLLINFO wanted = now;
  wanted.nMin = 0;
  wanted.nMax = maxPosition;
  wanted.nPos = position;
  SetScrollInfo(window, bar, &wanted, TRUE);
}

// The vertical bar for the rows and the top row as they are now.
void SetVerticalBar(HWND window) {
  VScrollBar bar = VerticalBar(TheDocument.RowCount, TheDocument.TopLine);
  TheDocument.VScrollScale = bar.scale;
  SetBar(window, SB_VERT, bar.maxPosition, bar.position);
}

void ShowHorizontalBar(HWND window, const HScrollBarState& state) {
  if (!HScrollShown) {
    HScrollShown = true;  // before showing: the bar's WM_SIZE comes back here
    ShowScrollBar(window, SB_HORZ, TRUE);
  }
  SetBar(window, SB_HORZ, state.maxPosition, state.position);
}

void HideHorizontalBar(HWND window) {
  HScrollShown = false;
  ShowScrollBar(window, SB_HORZ, FALSE);
}

}  // namespace

bool LineNumberColumnShown() { return HasLineNumberColumn(ShowLineNumbers != 0, TheDocument.DisplayMode); }

int32_t CurrentTextLeft() {
  TextLeftEdge = TextLeft(CharWidth, Spacing, LineNumberColumnShown(), TheDocument.RowCount);
  return TextLeftEdge;
}

int32_t CurrentVisibleColumns(HWND window) {
  RECT client = ClientRect(window);
  TextAreaSize area{client.right, client.left, TextScrollAllowances.right, CharWidth, Spacing,
                    LineNumberColumnShown(), TheDocument.RowCount};
  VisibleColumnCount = VisibleColumns(area);
  return VisibleColumnCount;
}

int32_t CurrentHScrollLimit(HWND window) {
  return HScrollLimit(CurrentVisibleColumns(window), TheDocument.DisplayMode, LineMax);
}

void UpdateHorizontalBar(HWND window) {
  HScrollBarState state = UpdateHScrollBar(CurrentHScrollLimit(window), TheDocument.LeftColumn);
  const int32_t oldLeft = TheDocument.LeftColumn;
  if (state.shown) ShowHorizontalBar(window, state);
  if (state.leftColumn != oldLeft) {
    ScrollColumns(window, int64_t(oldLeft) - state.leftColumn);
    TheDocument.LeftColumn = state.leftColumn;
    UpdateWindow(window);
  }
  if (!state.shown && HScrollShown) HideHorizontalBar(window);
}

void RefreshScrollBars(HWND window) {
  UpdateHorizontalBar(window);
  if (TheDocument.RowCount <= 0) return;
  SetVerticalBar(window);
}

LRESULT OnVerticalScroll(HWND window, WPARAM wParam, LPARAM lParam) {
  const VScrollRequest request{.code = LOWORD(wParam),
                               .thumb = HIWORD(wParam),
                               .target = int32_t(lParam),
                               .topLine = TheDocument.TopLine,
                               .rowCount = TheDocument.RowCount,
                               .pageRows = PageRowCount,
                               .clientHeight = ClientRect(window).bottom,
                               .rowHeight = TheDocument.RowHeight,
                               .scale = TheDocument.VScrollScale};
  std::optional<int32_t> top = NewTopLine(request);
  if (!top) return 0;
  const int32_t oldTop = TheDocument.TopLine;
  TheDocument.TopLine = *top;
  ScrollRows(window, int64_t(oldTop) - *top);
  // Range and position together: rows loaded since the last refresh move the range too.
  SetVerticalBar(window);
  UpdateWindow(window);
  return 0;
}

LRESULT OnHorizontalScroll(HWND window, WPARAM wParam, LPARAM lParam) {
  // The columns and the limit of the client area as it is now.
  const int32_t visibleColumns = CurrentVisibleColumns(window);
  const HScrollRequest request{.code = LOWORD(wParam), .thumb = HIWORD(wParam), .target = int32_t(lParam),
                               .leftColumn = TheDocument.LeftColumn, .visibleColumns = visibleColumns,
                               .lineMax = LineMax, .limit = CurrentHScrollLimit(window)};
  std::optional<int32_t> left = NewLeftColumn(request);
  if (!left) return 0;
  const int32_t oldLeft = TheDocument.LeftColumn;
  TheDocument.LeftColumn = *left;
  ScrollColumns(window, int64_t(oldLeft) - *left);
  SetScrollPos(window, SB_HORZ, TheDocument.LeftColumn, TRUE);
  UpdateWindow(window);
  return 0;
}

namespace {

// A wheel turned over another window of this viewer (a file list, a line list) scrolls that
// window, even while the text window has the focus.
HWND OtherViewerWindowUnder(HWND window, LPARAM lParam) {
  POINT point{short(LOWORD(lParam)), short(HIWORD(lParam))};
  HWND under = WindowFromPoint(point);
  if (!under || under == window || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) return nullptr;
  return under;
}

}  // namespace

LRESULT OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam) {
  if (HWND other = OtherViewerWindowUnder(window, lParam)) return SendMessageA(other, WM_MOUSEWHEEL, wParam, lParam);
  static int32_t pending = 0;
  UINT rowsPerNotch = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &rowsPerNotch, 0);
  const WheelScroll scroll = WheelRows(GET_WHEEL_DELTA_WPARAM(wParam), pending, rowsPerNotch, PageRowCount);
  pending = scroll.pending;
  if (scroll.rows == 0) return 0;
  GoToPosition(ClampTopLine(int64_t(TheDocument.TopLine) + scroll.rows, TheDocument.RowCount), TheDocument.LeftColumn);
  return 0;
}

void GoToPosition(int32_t row, int32_t column) {
  RowStart(row);
  if (!TextWindow) return;
  SendMessageA(TextWindow, WM_VSCROLL, 12, LPARAM(row));
  if (CurrentHScrollLimit(TextWindow) > 0 && column != TheDocument.LeftColumn)
    SendMessageA(TextWindow, WM_HSCROLL, 12, LPARAM(column));
}

void InvalidateRows(int32_t a, int32_t b) {
  if (!TextWindow) return;
  if (a > b) std::swap(a, b);
  RECT client = ClientRect(TextWindow);
  const int64_t height = TheDocument.RowHeight;
  const int64_t firstShown = TheDocument.TopLine;
  const int64_t lastShown = firstShown + RowsMeetingClient(client.bottom, TheDocument.RowHeight) - 1;
  const int64_t first = a > firstShown ? a : firstShown;
  const int64_t last = b < lastShown ? b : lastShown;
  if (first > last) return;
  RECT rows{0, LONG((first - firstShown) * height), client.right, LONG((last - firstShown + 1) * height)};
  InvalidateRect(TextWindow, &rows, FALSE);
}
