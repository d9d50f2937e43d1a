// Drawing one item of a line-list window: the document row whose number is the item's data,
// in the text window's font, colours, tab width, left margin and marks.
#pragma once

#include <windows.h>

// WM_DRAWITEM of the list box: a focus-only request toggles the focus rectangle; any other
// paints the row (and the focus rectangle when the item has the focus).
void DrawLineListItem(const DRAWITEMSTRUCT& item);
