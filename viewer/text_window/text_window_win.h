// The text window "ZelkoView!Text": paints the document's rows (text or hexadecimal dump)
// with margins, line numbers, marks and visible control codes, scrolls by rows and columns,
// makes selections with the mouse and turns key presses into commands for the main window.
#pragma once

#include <windows.h>

#include <cstdint>

LRESULT CALLBACK TextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Brings row `row` to the top (loading up to it) and, when the view scrolls sideways,
// column `column` to the left edge.
void GoToPosition(int32_t row, int32_t column);
// Invalidates (without erasing) the rows between a and b, either order, that are on screen.
void InvalidateRows(int32_t a, int32_t b);
// Unsets the selection (all four values -1) and repaints the rows it covered.
void ClearSelection();
// Selects the `length` bytes from `hit` (a place in the document's Text on row `row`), the
// end continuing on the rows the run reaches, and repaints them.
void SelectRange(int32_t row, const char* hit, int32_t length);
// RowHeight (with LineSpacing) and CharWidth from the text font, at creation and when the
// settings change.
void MeasureTextFont(HWND textWindow);
// (Re)builds MarkGlyphBitmap: 36 x RowHeight, the CR and TAB marks in normal and inverted
// colours.
void BuildMarkGlyphs(HWND textWindow);
