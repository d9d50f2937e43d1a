// The string matcher over the text block: candidates come from a LiteralScan of the (folded)
// pattern; a candidate is a hit when it lies inside one row text, does not start on a second
// byte, and, with case folding, equals the pattern after upper-casing the row the way the
// row-by-row search does (a letter that is the second byte of a double-byte character stays).
#pragma once

#include <cstdint>

#include "viewer/search/block_search.h"
#include "viewer/search/literal_scan.h"
#include "viewer/search/search_engine.h"

class StringBlockMatcher final : public BlockMatcher {
 public:
  // Takes the pattern (NUL-terminated, at most 255 bytes) and the folding choice; cheap when
  // they are those of the last call.
  void Prepare(const char* pattern, bool foldCase);
  int32_t FirstHit(int32_t from, int32_t to, BlockHit& hit) override;
  bool MayGiveUp() const override { return false; }

 private:
  bool AcceptedAt(const char* rowText, int position) const;

  char source_[kSearchPatternSize] = {};  // the pattern as given
  bool prepared_ = false;
  bool fold_ = false;
  uint8_t pattern_[kSearchPatternSize] = {};  // upper-cased when folding
  int length_ = 0;
  LiteralScan scan_;
};
