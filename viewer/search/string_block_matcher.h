// The string matcher over the text block: candidates of the pattern's StringHitRule, found in
// the bytes of complete rows and judged in the text of the row that holds them.
#pragma once

#include <cstdint>

#include "viewer/search/block_search.h"
#include "viewer/search/string_hit_rule.h"

class StringBlockMatcher final : public BlockMatcher {
 public:
  // Takes the pattern (NUL-terminated, at most 255 bytes) and the folding choice; cheap when
  // they are those of the last call.
  void Prepare(const char* pattern, bool foldCase) { rule_.Prepare(pattern, foldCase); }
  int32_t FirstHit(int32_t from, int32_t to, BlockHit& hit) override;
  bool MayGiveUp() const override { return false; }

 private:
  StringHitRule rule_;
};
