// The search engine: finds the current search string in the rows of the document, as a plain
// string (optionally case-folded) or as a regular expression.  A hit is the leftmost match in
// the text of one row as FormatRow gives it; text-mode rows are searched in place in the text
// block, binary dump lines one at a time.  A hit is a row, a pointer into the document and a
// length.
#pragma once

#include <cstdint>

#include "viewer/document/document.h"
#include "viewer/search/regex.h"

constexpr int kSearchPatternSize = 256;  // at most 255 bytes of text and the NUL

extern char SearchPattern[kSearchPatternSize];
extern RegexBuffer PatternBuffer;
extern RegexRegisters MatchRegisters;

// Shown (owned by the caller's window) when PrepareSearch could not compile the pattern.
extern const char kInvalidRegexMessage[];

// Sets the folding function from CaseSensitive, compiles SearchPattern (whatever RegexMode
// says) and builds the first-byte map.  False when the pattern did not compile (or there was
// no memory for its program): RegexMode has then been cleared, the search goes on as a plain
// string search, and the caller shows kInvalidRegexMessage.
[[nodiscard]] bool PrepareSearch();

// The row of the next hit after `row` (row -1 begins with row 0), or -1.  `hit` and `length`
// may be null.  Forward searches load more of the file when they run past the loaded rows.
int32_t SearchForward(int32_t row, char** hit, int* length);
// Each hit of repeated forward searches from the top, in order, handed to `take` as its row,
// its offset in the row's text and its length, until `take` returns false.
template <typename Take>
void ForEachForwardHit(Take take) {
  char* hit = nullptr;
  int length = 0;
  for (int32_t row = SearchForward(-1, &hit, &length); row >= 0; row = SearchForward(row, &hit, &length)) {
    if (!take(row, int(hit - RowStart(row)), length)) return;
  }
}
// The row of the nearest hit before `row`, or -1 (at once for row 0).
int32_t SearchBackward(int32_t row, char** hit, int* length);

// Rows in which a regular-expression match gave up (too many failure points) since the last
// PrepareSearch; they count as rows without a hit.  Rows are passed over untried only for
// patterns that cannot give up, so the count is that of trying every row in turn.
extern int32_t RowsGivenUp;
