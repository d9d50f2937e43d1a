// The viewer windows of every process ("Zelko View 32", visible, top level): listing them in
// Z order, cascading, tiling, side by side, stacked, next / previous, and activating the n-th
// of the window list.
#pragma once

#include <windows.h>

#include <vector>

// The visible top-level viewer windows of every process, from the top of the Z order down
// (bottomUp: from the bottom up).
std::vector<HWND> ViewerWindows(bool bottomUp);
// Commands 500-503 (cascade, tile, side by side, stacked), 510 and 511 (next, previous).
void ArrangeViewers(HWND mainWindow, int command);
// The window list: activates the n-th viewer window (1-based) from the top of the Z order.
void ActivateViewer(int n);
