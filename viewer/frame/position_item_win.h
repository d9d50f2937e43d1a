// The status bar's position item "top/count": its text, and its width, which grows with the
// digits of the row count so that "810532/2012500" is shown whole.
#pragma once

#include <windows.h>

// Sets the position item of `mainWindow` to `text` ("top/count").  When the widest text of
// that row count ("count/count") needs another width than the item has, the main window's
// status bar is laid out again (a WM_SIZE of its present client size).
void ShowPositionText(HWND mainWindow, const char* text);
// The position item's width for the layout: what the row count's digits need, and at least
// `leastWidth`.
int PositionItemWidth(int leastWidth);
