// The line-list window "ZelkoView!LList": a top-level window holding one owner-drawn list box
// whose items are rows of the document, each drawn as the text window draws that row (with its
// number in text mode).  Choosing an item shows its row at the row the left tab marks, keeping
// the horizontal position.  The batch search and the analyses open these windows; each saves
// its rectangle under its placement name when it closes, and opening another document or
// closing the viewer closes them all.
//
// Use:
//   HWND list = OpenLineListWindow("一括検索 『 abc 』", "FindWndPos");
//   AddLineListRows(list, rows);         // document row numbers, in the order to list them
//   ...
//   CloseLineListWindows();              // done by the viewer itself on a new document
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

#include "viewer/resources/zv32_ids.h"

LRESULT CALLBACK LineListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The list box inside a line-list window.
constexpr int kLineListBoxId = IDC_LINE_LIST_BOX;

// Opens a line-list window through the window-linking service: popup with caption, system
// menu, sizing frame and minimize box, owned by the main window, at the rectangle saved under
// `placementName` (a registry value name of at most 20 characters, e.g. "FindWndPos",
// "PageWndPos"), on the list windows' link path.  Null when it could not be created.
HWND OpenLineListWindow(const char* title, const char* placementName);

// Appends document rows as items.  Cheap to call with many rows at once: the list box is
// not redrawn while they go in.
void AddLineListRows(HWND window, std::span<const int32_t> rows);
// The number of items, and the row of item `index` (-1 when there is no such item).
int32_t LineListRowCount(HWND window);
int32_t LineListRow(HWND window, int32_t index);

// Destroys every line-list window of this process; each saves its placement as it goes.
void CloseLineListWindows();

// The row the left tab window marks (its offset from the top row of the text window), and
// showing row `row` there, keeping LeftColumn.  The repeat search and the lists use it.
int32_t TabMarkedRow();
void ShowRowAtTab(int32_t row);
