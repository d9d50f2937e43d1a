// Rows of a text-mode document read in place in its text block: the row text FormatRow would
// copy (the row's bytes up to its line end, at most 256 bytes), and the row that holds a given
// byte.  Only complete rows qualify: rows whose end is known, so that FormatRow would not load
// anything to give them.
#pragma once

#include <algorithm>
#include <cstdint>

#include "viewer/document/document.h"

// True when the document's rows are its text bytes (text mode, a text block in place).
bool RowsAreInTextBlock();

// Rows 0 .. CompleteRows()-1 are complete: every row but the last while the file is still
// loading, all of them once it is loaded.
int32_t CompleteRows();

// Loads (as FormatRow would) until row n is complete or the file is loaded; false when row n
// is not complete even then.
bool MakeRowComplete(int32_t n);

struct RowText {
  const char* bytes;
  int length;
};

// The text of the row whose bytes (its line end included) are [start, end): the bytes before
// its line end, at most kMaxRowBytes of them, as FormatRow copies them.  (Inline: the streamed
// search takes one for every hit.)
inline RowText RowTextBetween(const char* start, const char* end) {
  if (end > start && end[-1] == '\n') --end;
  if (end > start && end[-1] == '\r') --end;
  return {start, int(std::min<int64_t>(end - start, kMaxRowBytes))};
}

// The text of complete row n, in place.
RowText RowTextInBlock(int32_t n);

// The start of row n in the text block (n may be CompleteRows(), the end of the last complete
// row's bytes).
const char* RowBytes(int32_t n);

// The row in [low, high) whose bytes hold `at` (the last row starting at or before it);
// `at` lies within rows low .. high-1.  Gallops from low, so nearby rows are found quickly.
int32_t RowHolding(const char* at, int32_t low, int32_t high);
