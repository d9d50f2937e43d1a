// Two small children of the main window: the search-position tab left of the text window
// ("ZelkoView!LeftTab": the row, counted from the top of the text window, at which search hits
// are shown) and the mark strip ("ZelkoView!MarkList": the four marks, shown in place of the
// position text while the mouse is over it).
#pragma once

#include <windows.h>

#include <cstdint>

LRESULT CALLBACK LeftTabWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MarkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Starts dragging mark k (0..3) as a press on its slot of the mark strip does: the strip
// captures the mouse and drops the mark where the button is released.
void StartMarkDrag(int k);

// Draws flag k of the "Flag" bitmap (selected into flagDc) with its top-left at (x, y): the
// 9 x 10 flag inverted onto the background, the 6 x 5 field cleared, glyph k painted in.
void DrawMarkFlag(HDC dc, HDC flagDc, int x, int y, int k);
