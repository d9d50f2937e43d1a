// PrepareSearch, and the search drivers: in place over the text block in text mode, row by row
// over FormatRow texts otherwise (binary mode dump lines).
#include "viewer/search/search_engine.h"

#include <cstring>
#include <memory>

#include "viewer/document/document.h"
#include "viewer/search/block_rows.h"
#include "viewer/search/block_search.h"
#include "viewer/search/regex_block_matcher.h"
#include "viewer/search/string_block_matcher.h"
#include "viewer/search/string_match.h"
#include "viewer/settings/settings_globals.h"

char SearchPattern[kSearchPatternSize] = "";
RegexBuffer PatternBuffer;
RegexRegisters MatchRegisters;
int32_t RowsGivenUp = 0;
const char kInvalidRegexMessage[] = "正規表現が不適切なので、通常文字列として処理を継続します";

namespace {

// Row buffers: 512 bytes for the string search, 257 for regular expressions.
constexpr int kStringRowBuffer = 512;
constexpr int kRegexRowBuffer = kMaxRowBytes + 1;

// Finds a hit in one row text: the offset (or -1) and the hit's length.
class RowMatcher {
 public:
  virtual int Find(char* row, int length, int* matchLength) = 0;
  virtual int BufferSize() const = 0;

 protected:
  ~RowMatcher() = default;
};

class StringRowMatcher final : public RowMatcher {
 public:
  StringRowMatcher() {
    int length = static_cast<int>(strnlen(SearchPattern, kSearchPatternSize - 1));
    std::memcpy(pattern_, SearchPattern, length);
    fold_ = CaseSensitive == 0;
    if (fold_) UpperCaseSjis(pattern_, length);
    BuildSkipTable(pattern_, length, table_);
  }
  int PatternLength() const { return table_.PatternLength; }
  int Find(char* row, int length, int* matchLength) override {
    if (fold_) UpperCaseSjis(row, length);
    *matchLength = table_.PatternLength;
    return FindString(table_, row, length);
  }
  int BufferSize() const override { return kStringRowBuffer; }

 private:
  char pattern_[kSearchPatternSize] = {};
  bool fold_ = false;
  SkipTable table_;
};

class RegexRowMatcher final : public RowMatcher {
 public:
  int Find(char* row, int length, int* matchLength) override {
    int at = RegexSearch(PatternBuffer, row, length, 0, length, &MatchRegisters);
    if (at == -2) ++RowsGivenUp;
    if (at < 0) return -1;
    *matchLength = MatchRegisters.end[0] - MatchRegisters.start[0];
    return MatchRegisters.start[0];
  }
  int BufferSize() const override { return kRegexRowBuffer; }
};

// Forward rows are loaded on demand; false when there is no row n.
bool RowExists(int32_t n) {
  while (n >= TheDocument.RowCount && TheDocument.BytesLeft > 0) LoadNextChunk();
  return n < TheDocument.RowCount;
}

int32_t ScanRows(int32_t row, int step, RowMatcher& matcher, char** hit, int* length) {
  if (step < 0 && row <= 0) return -1;
  auto buffer = std::make_unique<char[]>(matcher.BufferSize());
  int32_t r = step > 0 ? (row < -1 ? 0 : row + 1) : (row > TheDocument.RowCount ? TheDocument.RowCount - 1 : row - 1);
  for (; r >= 0 && (step < 0 || RowExists(r)); r += step) {
    int rowLength = 0;
    FormatRow(r, buffer.get(), &rowLength);
    int matchLength = 0;
    int offset = matcher.Find(buffer.get(), rowLength, &matchLength);
    if (offset < 0) continue;
    if (hit) *hit = RowPointer(r, offset);
    if (length) *length = matchLength;
    return r;
  }
  return -1;
}

// Text mode: the rows are searched in place in the text block, with the same hits.
int32_t SearchTextBlock(int32_t row, int step, char** hit, int* length) {
  static StringBlockMatcher stringMatcher;
  static RegexBlockMatcher regexMatcher;
  BlockMatcher* matcher = &regexMatcher;
  if (RegexMode) {
    regexMatcher.Prepare(PatternBuffer);
  } else {
    stringMatcher.Prepare(SearchPattern, CaseSensitive == 0);
    if (length) *length = static_cast<int>(strnlen(SearchPattern, kSearchPatternSize - 1));
    matcher = &stringMatcher;
  }
  BlockHit found;
  int32_t r = step > 0 ? BlockSearchForward(row, *matcher, found) : BlockSearchBackward(row, *matcher, found);
  if (r < 0) return -1;
  if (hit) *hit = RowPointer(r, found.offset);
  if (length) *length = found.length;
  return r;
}

int32_t Search(int32_t row, int step, char** hit, int* length) {
  if (RowsAreInTextBlock()) return SearchTextBlock(row, step, hit, length);
  if (RegexMode) {
    RegexRowMatcher matcher;
    return ScanRows(row, step, matcher, hit, length);
  }
  StringRowMatcher matcher;
  if (length) *length = matcher.PatternLength();
  return ScanRows(row, step, matcher, hit, length);
}

}  // namespace

bool PrepareSearch() {
  PatternBuffer.Fold = CaseSensitive ? KeepCase : FoldUpper;
  RowsGivenUp = 0;
  int length = static_cast<int>(strnlen(SearchPattern, kSearchPatternSize - 1));
  bool compiled = CompileRegex(SearchPattern, length, PatternBuffer);
  if (!compiled) RegexMode = 0;
  BuildFirstByteMap(PatternBuffer);
  return compiled;
}

int32_t SearchForward(int32_t row, char** hit, int* length) { return Search(row, 1, hit, length); }

int32_t SearchBackward(int32_t row, char** hit, int* length) { return Search(row, -1, hit, length); }
