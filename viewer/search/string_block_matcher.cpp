// StringBlockMatcher (see the header).
#include "viewer/search/string_block_matcher.h"

#include "viewer/search/block_rows.h"

int32_t StringBlockMatcher::FirstHit(int32_t from, int32_t to, BlockHit& hit) {
  if (rule_.Length() == 0 || from >= to) return -1;
  const char* end = RowBytes(to);
  int32_t row = from;
  for (const char* x = RowBytes(from); (x = rule_.Scan().Find(x, end)) != nullptr;) {
    row = RowHolding(x, row, to);
    RowText text = RowTextInBlock(row);
    int position = int(x - text.bytes);
    switch (rule_.Judge(text.bytes, text.length, position)) {
      case Candidate::kHit:
        hit.offset = position;
        hit.length = rule_.Length();
        return row;
      case Candidate::kPastRowText:
        x = RowBytes(row + 1);
        break;
      case Candidate::kNotHere:
        ++x;
        break;
    }
  }
  return -1;
}
