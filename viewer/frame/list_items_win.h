// What the owner-drawn file lists (Zelko Filer and the archive filer) share: an item's text and
// the 16 x 16 cells of the "Icon" bitmap that mark an entry's kind.
#pragma once

#include <windows.h>

#include <string>

constexpr int kIconCellSize = 16;

// The text of list box item `index`; empty when there is none.
std::string ListItemText(HWND list, int index);

// The icon of kind `kind` with its top left at (x, y), and the overlay mark over it when
// `overlay` is set; the mask row of each cell is ANDed, its picture row ORed.
void DrawIconCells(HDC dc, int x, int y, int kind, bool overlay);
