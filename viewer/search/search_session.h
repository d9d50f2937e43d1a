// The user's searching over the document, shared by the search dialog and the repeat
// searches: the text the dialog starts with, the row the searches start from (SearchRow), and
// one step of a repeat search.
#pragma once

#include <cstdint>
#include <string>

// The selected bytes (their first line, at most 255 bytes, whole characters) when a selection
// with something in it is set; else the current SearchPattern.  `pageRows` is the screen's
// row count (the selection's text is worked out as for the clipboard).
std::string InitialSearchText(int32_t pageRows);

// The dialog opens: a forward search begins with the top row of the window, a backward one
// with the row above it.
void StartSearchAtTopRow();

// The next hit before or after SearchRow; on a hit SearchRow becomes its row.  Returns the
// row, or -1 (SearchRow unchanged).
int32_t SearchNext(bool forward, char** hit, int* length);
