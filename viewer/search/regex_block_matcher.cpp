// RegexBlockMatcher (see the header).
#include "viewer/search/regex_block_matcher.h"

#include "viewer/search/block_rows.h"
#include "viewer/search/regex_matcher.h"
#include "viewer/search/search_engine.h"

void RegexBlockMatcher::Prepare(RegexBuffer& buffer) {
  buffer_ = &buffer;
  if (planned_ == &buffer && plannedCompile_ == buffer.Compiles && plannedFold_ == buffer.Fold) return;
  planned_ = &buffer;
  plannedCompile_ = buffer.Compiles;
  plannedFold_ = buffer.Fold;
  PlanRegex(buffer, plan_);
}

bool RegexBlockMatcher::SearchRow(RowText text, BlockHit& hit) {
  int at = RegexSearch(*buffer_, text.bytes, text.length, 0, text.length, &MatchRegisters);
  if (at == -2) ++RowsGivenUp;
  if (at < 0) return false;
  hit.offset = MatchRegisters.start[0];
  hit.length = MatchRegisters.end[0] - MatchRegisters.start[0];
  return true;
}

bool RegexBlockMatcher::HoldsOtherLiterals(RowText text) const {
  for (int i = 1; i < plan_.literalCount; ++i) {
    if (plan_.literals[i].Find(text.bytes, text.bytes + text.length) == nullptr) return false;
  }
  return true;
}

int32_t RegexBlockMatcher::FirstHitWithLiteral(int32_t from, int32_t to, BlockHit& hit) {
  const LiteralScan& literal = plan_.literals[0];
  const char* end = RowBytes(to);
  int32_t row = from;
  for (const char* x = RowBytes(from); (x = literal.Find(x, end)) != nullptr;) {
    row = RowHolding(x, row, to);
    RowText text = RowTextInBlock(row);
    if (x + literal.Length() > text.bytes + text.length) {
      x = RowBytes(row + 1);  // the rest of the row cannot hold it either
      continue;
    }
    if (HoldsOtherLiterals(text) && SearchRow(text, hit)) return row;
    x = RowBytes(++row);
    if (row >= to) break;
  }
  return -1;
}

int32_t RegexBlockMatcher::FirstHitAtRowStarts(int32_t from, int32_t to, BlockHit& hit) {
  const RegexTextTables& tables = TextTablesFor(*buffer_);
  const bool canBeEmpty = buffer_->CanBeEmpty != 0;
  const bool useMap = buffer_->CanBeEmpty != 1;
  for (int32_t row = from; row < to; ++row) {
    RowText text = RowTextInBlock(row);
    if (useMap && (text.length == 0 ? !canBeEmpty : !tables.canStart[uint8_t(text.bytes[0])])) continue;
    if (SearchRow(text, hit)) return row;
  }
  return -1;
}

int32_t RegexBlockMatcher::FirstHitInEveryRow(int32_t from, int32_t to, BlockHit& hit) {
  for (int32_t row = from; row < to; ++row) {
    if (SearchRow(RowTextInBlock(row), hit)) return row;
  }
  return -1;
}

int32_t RegexBlockMatcher::FirstHit(int32_t from, int32_t to, BlockHit& hit) {
  if (from >= to || buffer_ == nullptr) return -1;
  if (!plan_.cannotGiveUp) return FirstHitInEveryRow(from, to, hit);
  if (plan_.literalCount > 0) return FirstHitWithLiteral(from, to, hit);
  if (plan_.anchored) return FirstHitAtRowStarts(from, to, hit);
  return FirstHitInEveryRow(from, to, hit);
}
