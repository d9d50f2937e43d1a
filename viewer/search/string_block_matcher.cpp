// StringBlockMatcher (see the header).
#include "viewer/search/string_block_matcher.h"

#include <cstring>

#include "text/sjis.h"
#include "viewer/search/block_rows.h"
#include "viewer/search/string_match.h"

void StringBlockMatcher::Prepare(const char* pattern, bool foldCase) {
  int length = int(strnlen(pattern, kSearchPatternSize - 1));
  if (prepared_ && fold_ == foldCase && length == length_ && std::memcmp(source_, pattern, size_t(length)) == 0) return;
  std::memcpy(source_, pattern, size_t(length));
  std::memcpy(pattern_, pattern, size_t(length));
  if (foldCase) UpperCaseSjis(reinterpret_cast<char*>(pattern_), length);
  length_ = length;
  fold_ = foldCase;
  scan_.Build(pattern_, length, foldCase);
  prepared_ = true;
}

bool StringBlockMatcher::AcceptedAt(const char* rowText, int position) const {
  const auto* bytes = reinterpret_cast<const uint8_t*>(rowText);
  int leads = 0;
  for (int q = position - 1; q >= 0 && IsSjisLead(bytes[q]); --q) ++leads;
  bool second = leads % 2 == 1;  // position is the second byte of a double-byte character
  if (second && IsSjisTrail(bytes[position])) return false;
  if (!fold_) return true;  // the scan compared every byte exactly
  for (int i = 0; i < length_; ++i) {
    uint8_t b = bytes[position + i];
    uint8_t folded = (!second && b >= 'a' && b <= 'z') ? uint8_t(b - 0x20) : b;
    if (folded != pattern_[i]) return false;
    second = IsSjisLead(b) && !second;
  }
  return true;
}

int32_t StringBlockMatcher::FirstHit(int32_t from, int32_t to, BlockHit& hit) {
  if (length_ == 0 || from >= to) return -1;
  const char* end = RowBytes(to);
  int32_t row = from;
  for (const char* x = RowBytes(from); (x = scan_.Find(x, end)) != nullptr;) {
    row = RowHolding(x, row, to);
    RowText text = RowTextInBlock(row);
    int position = int(x - text.bytes);
    if (position + length_ > text.length) {
      x = RowBytes(row + 1);  // later candidates in this row end past its text too
      continue;
    }
    if (AcceptedAt(text.bytes, position)) {
      hit.offset = position;
      hit.length = length_;
      return row;
    }
    ++x;
  }
  return -1;
}
