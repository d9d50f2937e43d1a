// The pieces of the text window that its source files share: the layout values worked out
// from the current settings and client size, the scroll-bar state, and the message handlers
// that live in their own files (painting, scrolling, hit testing, mouse selection).
#pragma once

#include <windows.h>

#include <cstdint>

// Pixels kept free for the window's own scroll bars, read from the system at creation.
struct ScrollBarAllowances {
  int32_t bottom = 0;  // the horizontal bar's height
  int32_t right = 0;   // the vertical bar's width
};
extern ScrollBarAllowances TextScrollAllowances;
// Whether the horizontal scroll bar is shown now.
extern bool HScrollShown;

// The font the rows are drawn in: the "Font" setting or the stock fixed-pitch font.
HFONT CurrentDisplayFont();
// True when the line-number column is there (line numbers on, text mode).
bool LineNumberColumnShown();
// x of column 0 for the current font, margin and mode (also stored in TextLeftEdge).
int32_t CurrentTextLeft();
// The whole columns right of TextLeft in the window's client area (also stored in
// VisibleColumnCount).
int32_t CurrentVisibleColumns(HWND window);
// The largest LeftColumn for the current client width.
int32_t CurrentHScrollLimit(HWND window);

// Shows, hides and sets the horizontal bar for the current client width; pulls LeftColumn
// back (scrolling the pixels along) when it lies beyond the new limit.
void UpdateHorizontalBar(HWND window);
// WM_ZV_REFRESH: the horizontal bar, then the vertical range and position.
void RefreshScrollBars(HWND window);
LRESULT OnVerticalScroll(HWND window, WPARAM wParam, LPARAM lParam);
LRESULT OnHorizontalScroll(HWND window, WPARAM wParam, LPARAM lParam);
// WM_MOUSEWHEEL: rows by the system's wheel setting (a page when it asks for pages).
LRESULT OnMouseWheel(HWND window, WPARAM wParam, LPARAM lParam);

// WM_PAINT.
void PaintTextWindow(HWND window);
// Rows loaded since the last paint (and the last row then painted, which may have been
// blank or cut short) are marked for painting, so a page opened while loading fills in.
void InvalidateRowsLoadedSincePaint();

// A document position under a point of the text window: row, and the byte offset in the
// row's text (-1 in the margin or right of the row's end).
struct TextPosition {
  int32_t row;
  int32_t column;
};
TextPosition HitTest(POINT point);
// The right-button menu for a click at `point`: 0 on the selection, 1 left of the text,
// 2 elsewhere.
int ContextMenuAt(POINT point);

// Mouse selection (the left button, the drag timer and the moves while dragging).
void OnLeftButtonDown(HWND window, LPARAM lParam);
void OnLeftButtonDoubleClick(HWND window, LPARAM lParam);
// Posts a move at the pointer (flag 0x10, with MK_SHIFT and MK_CONTROL as held) unless one waits.
void OnDragTimer(HWND window);
void OnSelectionMove(HWND window, WPARAM wParam, LPARAM lParam);
void OnLeftButtonUp(HWND window);
// The capture went elsewhere mid-drag: the drag ends where it stands.
void OnCaptureLost(HWND window);
