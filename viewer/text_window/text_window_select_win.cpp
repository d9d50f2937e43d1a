// Mouse selection in the text window: a press starts a selection (by characters, or by rows
// from the margin or by double-click) or, on a mark's flag, drags the mark; moving with the
// button down extends it, the 50 ms timer turns into moves that scroll the view while the
// pointer is near an edge; releasing ends it.  Also ClearSelection and SelectRange.
#include <algorithm>

#include "viewer/document/document.h"
#include "viewer/document/row_layout.h"
#include "viewer/document/scroll_math.h"
#include "viewer/document/selection_range.h"
#include "viewer/text_window/text_window_parts_win.h"
#include "viewer/text_window/text_window_win.h"
#include "viewer/text_window/small_windows_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragTimerMs = 50;
// wParam flags of the moves the timer posts (beside MK_SHIFT and MK_CONTROL).
constexpr WPARAM kTimerMove = 0x10;
constexpr int kCopySelectionCommand = IDM_COPY_SELECTION;

POINT PointOf(LPARAM lParam) { return POINT{short(LOWORD(lParam)), short(HIWORD(lParam))}; }

int32_t* Selection() { return TheDocument.Selection; }

// The mark whose flag is drawn left of the text at `point`, or -1.
int FlagUnder(POINT point) {
  if (Spacing <= 9) return -1;  // no flags are drawn
  const int32_t textLeft = CurrentTextLeft();
  if (point.x < textLeft - 8 - (Spacing - 9) / 2 || point.x >= textLeft) return -1;
  return FlagMarkOfRow(TheDocument.Marks, HitTest(point).row);
}

void StartDrag(HWND window, TextPosition anchor) {
  int32_t* selection = Selection();
  selection[0] = selection[1] = anchor.row;
  selection[2] = selection[3] = anchor.column;
  SetCapture(window);
  TheDocument.Dragging = 1;
  InvalidateRows(anchor.row, anchor.row);
  SetTimer(window, kDragTimer, kDragTimerMs, nullptr);
}

// The timer's moves near an edge scroll: a row (or column) per tick, four times as many with
// Shift and again four times with Ctrl.
void AutoScroll(HWND window, WPARAM flags, POINT point) {
  RECT client{};
  GetClientRect(window, &client);
  const int32_t rowHeight = TheDocument.RowHeight;
  int64_t dy = 0, dx = 0;
  if (point.y < rowHeight) dy = -1;
  if (point.y > client.bottom - rowHeight - TextScrollAllowances.bottom) dy = 1;
  const int32_t numbers = CurrentTextLeft() - Spacing;  // the line-number column, when there is one
  if (point.x < numbers + CharWidth + Spacing) dx = -1;
  if (point.x > client.right - CharWidth - TextScrollAllowances.right) dx = 1;
  if (flags & MK_SHIFT) dy *= 4;
  if (flags & MK_CONTROL) dy *= 4;
  if (dy == 0 && dx == 0) return;
  const int32_t row = ClampTopLine(int64_t(TheDocument.TopLine) + dy, TheDocument.RowCount);
  GoToPosition(row, int32_t(std::max<int64_t>(TheDocument.LeftColumn + dx, 0)));
}

void EndDrag(HWND window) {
  TheDocument.Dragging = 0;  // first: releasing the capture comes back as WM_CAPTURECHANGED
  KillTimer(window, kDragTimer);
  ReleaseCapture();
}

}  // namespace

void ClearSelection() {
  int32_t* selection = Selection();
  if (std::all_of(selection, selection + 4, [](int32_t edge) { return edge == -1; })) return;
  const int32_t anchorRow = selection[0], endRow = selection[1];
  std::fill(selection, selection + 4, -1);
  InvalidateRows(anchorRow, endRow);
}

void SelectRange(int32_t row, const char* hit, int32_t length) {
  ClearSelection();
  HitSelection(row, hit, length, Selection());
  InvalidateRows(Selection()[0], Selection()[1]);
}

void OnLeftButtonDown(HWND window, LPARAM lParam) {
  const POINT point = PointOf(lParam);
  const int flag = FlagUnder(point);
  if (flag >= 0) {
    StartMarkDrag(flag);
    return;
  }
  ClearSelection();
  StartDrag(window, HitTest(point));
}

void OnLeftButtonDoubleClick(HWND window, LPARAM lParam) {
  ClearSelection();
  StartDrag(window, TextPosition{HitTest(PointOf(lParam)).row, -1});
}

void OnDragTimer(HWND window) {
  if (!TheDocument.Dragging) return;
  MSG waiting;
  if (PeekMessageA(&waiting, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE)) return;
  POINT point{};
  GetCursorPos(&point);
  ScreenToClient(window, &point);
  WPARAM flags = kTimerMove;
  if (GetKeyState(VK_CONTROL) < 0) flags |= MK_CONTROL;
  if (GetKeyState(VK_SHIFT) < 0) flags |= MK_SHIFT;
  PostMessageA(window, WM_MOUSEMOVE, flags, MAKELPARAM(point.x, point.y));
}

void OnSelectionMove(HWND window, WPARAM wParam, LPARAM lParam) {
  if (!TheDocument.Dragging) return;
  const POINT point = PointOf(lParam);
  if (wParam & kTimerMove) AutoScroll(window, wParam, point);
  TextPosition end = HitTest(point);
  int32_t* selection = Selection();
  if (selection[2] != -1 && end.column == -1) end.column = 0;
  InvalidateRows(selection[1], end.row);
  selection[1] = end.row;
  selection[3] = end.column;
  UpdateWindow(window);
}

void OnLeftButtonUp(HWND window) {
  if (!TheDocument.Dragging) return;
  EndDrag(window);
  if (CopyOnSelect && MainWindow) PostMessageA(MainWindow, WM_COMMAND, kCopySelectionCommand, 0);
}

void OnCaptureLost(HWND window) {
  if (TheDocument.Dragging) EndDrag(window);
}
