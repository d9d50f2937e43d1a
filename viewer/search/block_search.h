// The search over a text-mode document's text block in place: a matcher finds the first row
// with a hit among complete rows, and the drivers give the row order of the search engine
// (forward from the next row, loading further only past the loaded rows; backward to the
// nearest earlier row with a hit).  Hits are exactly those of a row-by-row search over
// FormatRow texts.
#pragma once

#include <cstdint>

struct BlockHit {
  int offset = 0;  // in the row text
  int length = 0;
};

class BlockMatcher {
 public:
  // The first row in [from, to) with a hit (all of them complete rows), or -1.
  virtual int32_t FirstHit(int32_t from, int32_t to, BlockHit& hit) = 0;
  // True when a row's search can give up (and is counted): a backward search must then try
  // exactly the rows a row-by-row search would, one at a time from the nearest.
  virtual bool MayGiveUp() const = 0;

 protected:
  ~BlockMatcher() = default;
};

// The first row after `row` (row -1 and below begin with row 0) with a hit, or -1.
int32_t BlockSearchForward(int32_t row, BlockMatcher& matcher, BlockHit& hit);
// The nearest row before `row` with a hit, or -1 (at once for row 0).
int32_t BlockSearchBackward(int32_t row, BlockMatcher& matcher, BlockHit& hit);
