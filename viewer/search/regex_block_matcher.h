// The regular-expression matcher over the text block: RegexSearch runs on each row text in
// place, on the rows the plan leaves (rows holding the required literal, or rows whose first
// byte can begin a match when only the row start can; every row when an attempt could give
// up).  Rows where a match attempt gives up
// count as rows without a hit and are counted in RowsGivenUp; a hit's registers are left in
// MatchRegisters.
#pragma once

#include <cstdint>

#include "viewer/search/block_rows.h"
#include "viewer/search/block_search.h"
#include "viewer/search/regex.h"
#include "viewer/search/regex_plan.h"

class RegexBlockMatcher final : public BlockMatcher {
 public:
  // Plans for the buffer's program (again only after a compile or a change of folding).
  void Prepare(RegexBuffer& buffer);
  int32_t FirstHit(int32_t from, int32_t to, BlockHit& hit) override;
  bool MayGiveUp() const override { return !plan_.cannotGiveUp; }

 private:
  bool SearchRow(RowText text, BlockHit& hit);
  bool HoldsOtherLiterals(RowText text) const;
  int32_t FirstHitWithLiteral(int32_t from, int32_t to, BlockHit& hit);
  int32_t FirstHitAtRowStarts(int32_t from, int32_t to, BlockHit& hit);
  int32_t FirstHitInEveryRow(int32_t from, int32_t to, BlockHit& hit);

  RegexBuffer* buffer_ = nullptr;
  // The buffer, compile and folding function planned for.
  const RegexBuffer* planned_ = nullptr;
  uint32_t plannedCompile_ = 0;
  FoldFunction plannedFold_ = nullptr;
  RegexPlan plan_;
};
