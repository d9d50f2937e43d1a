// The forward and backward drivers of the in-place search (see the header).
#include "viewer/search/block_search.h"

#include <algorithm>

#include "viewer/document/document.h"
#include "viewer/search/block_rows.h"

namespace {

// Backward search looks at windows of rows, growing from this many up to the largest.
constexpr int32_t kFirstWindowRows = 64;
constexpr int32_t kLargestWindowRows = 1 << 16;

// The last row in [from, to) with a hit, or -1.
int32_t LastHit(int32_t from, int32_t to, BlockMatcher& matcher, BlockHit& hit) {
  int32_t last = -1;
  BlockHit found;
  for (int32_t n; from < to && (n = matcher.FirstHit(from, to, found)) >= 0; from = n + 1) {
    last = n;
    hit = found;
  }
  return last;
}

}  // namespace

int32_t BlockSearchForward(int32_t row, BlockMatcher& matcher, BlockHit& hit) {
  int32_t next = row < -1 ? 0 : row + 1;
  while (true) {
    int32_t complete = CompleteRows();
    if (next < complete) {
      int32_t found = matcher.FirstHit(next, complete, hit);
      if (found >= 0) return found;
      next = complete;
    }
    if (TheDocument.BytesLeft == 0) return -1;
    LoadNextChunk();  // past the loaded rows: the next rows, or the end of the last one
  }
}

int32_t BlockSearchBackward(int32_t row, BlockMatcher& matcher, BlockHit& hit) {
  if (row <= 0) return -1;
  int32_t end = std::min(row - 1, TheDocument.RowCount - 1) + 1;
  if (end <= 0 || !MakeRowComplete(end - 1)) return -1;
  if (matcher.MayGiveUp()) {
    for (int32_t r = end - 1; r >= 0; --r) {
      if (matcher.FirstHit(r, r + 1, hit) >= 0) return r;
    }
    return -1;
  }
  for (int32_t window = kFirstWindowRows; end > 0; window = std::min(window * 2, kLargestWindowRows)) {
    int32_t begin = std::max(end - window, 0);
    int32_t found = LastHit(begin, end, matcher, hit);
    if (found >= 0) return found;
    end = begin;
  }
  return -1;
}
