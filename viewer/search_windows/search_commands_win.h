// Searching from the viewer: the search dialog "Search" (command 200), the repeat searches
// backward and forward (201, 202), the batch search into a line-list window (the dialog's
// button 202) and the jump dialog "Jump" (302).
#pragma once

#include <windows.h>

// Carries out 200, 201, 202 or 302 for the main window `window`.
void SearchCommand(HWND window, int id);

INT_PTR CALLBACK SearchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// The repeat search (201 or 202) the search dialog's buttons 200 and 201 ask for, posted to
// the main window once the dialog has ended: a message posted while the dialog is ending
// would be taken and dropped by the dialog's own message loop.  0 when none.
extern int RepeatAfterSearchDialog;
INT_PTR CALLBACK JumpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Takes SearchPattern, CaseSensitive and RegexMode from the search dialog and prepares the
// search; a pattern that is no regular expression is reported (owned by the dialog) and
// searched as a plain string.
void ReadSearchDialog(HWND dialog);

// Lists every row with a hit in a new line-list window, with the progress dialog open; posts
// IDOK to the search dialog when it ends (cancelled or not).
void BatchSearch(HWND dialog);

// Loads the whole file, then asks for the row to show (302).
void JumpCommand(HWND window);

// The next hit before (201) or after (202) SearchRow, selected and shown at the tab's row.
void RepeatSearch(HWND window, bool forward);

// "検索文字列が見つかりません"
extern const char kSearchNotFound[];
