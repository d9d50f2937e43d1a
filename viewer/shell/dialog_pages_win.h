// Tab pages of the settings dialogs over a "PlimFolder": a control belongs to page id / 1000
// (ids below 1000 are shared by every page).  The template lays page k out one page width
// right of page k - 1; at opening every control of the pages after the first is moved over
// page 1 and hidden, and the folder's notifications show and hide whole pages.
#pragma once

#include <windows.h>

// Moves the controls of pages 2 and on left by (page - 1) x pageWidth dialog units and hides them.
void LayOutDialogPages(HWND dialog, int pageWidth);
void ShowDialogPage(HWND dialog, int page, bool show);
// WM_HSCROLL (show) and WM_VSCROLL (hide) from the folder `folderId`, the page number in the
// high word of wParam; the page area control `frameId` is repainted when a page appears.
// False for scroll messages from other controls.
bool OnFolderNotification(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int folderId, int frameId);
// Brings page `page` (1-based) to the front as a click on its tab would.
void SelectDialogPage(HWND dialog, int folderId, int page);
