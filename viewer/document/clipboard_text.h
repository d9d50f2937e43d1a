// The texts the clipboard copies take from the document: whole rows, the screen, the
// selection (rows or characters), the selection quoted with a prefix on every line, and the
// whole text.  The bytes are the loaded text, already Shift-JIS, with the file's own line ends.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The bytes of rows first .. first + count - 1 (rows past the end stop at the end of the text).
std::string CopyRows(int32_t first, int32_t count);
// The `pageRows` rows from TopLine.
std::string ScreenText(int32_t pageRows);
// The selection (anchor row, end row, anchor column, end column): whole rows when the anchor
// column is -1, else the bytes between the two ends.  No selection, or an empty one: the screen.
std::string SelectionText(const int32_t selection[4], int32_t pageRows);
// The selection (or the screen, as SelectionText) with `prefix` before every line.  Tabs
// become blanks up to the next multiple of `tabSize`, counted from the selection's start
// column on its row for the first line and from 0 after each line end.
std::string QuotedSelectionText(const int32_t selection[4], int32_t pageRows, std::string_view prefix,
                                int32_t tabSize);
// Loads the rest of the file, then all rows.
std::string WholeText();
// `text` with the line ends the clipboard's text holds: every LF, and every CR that ends a line
// by itself, becomes CR LF; a CR LF stays as it is.
std::string WithCrLfLineEnds(std::string_view text);
