// RegexSearch: tries the matcher at each start position from left to right, passing over
// second bytes of double-byte characters and over bytes the first-byte map rules out.
#include <algorithm>

#include "text/sjis.h"
#include "viewer/search/regex.h"
#include "viewer/search/regex_matcher.h"

const RegexTextTables& TextTablesFor(RegexBuffer& buffer) {
  RegexTextTables& tables = buffer.TextTables;
  if (tables.valid && tables.fold == buffer.Fold) return tables;
  for (int b = 0; b < 256; ++b) {
    tables.folded[b] = buffer.Fold ? static_cast<uint8_t>(buffer.Fold(static_cast<uint16_t>(b))) : static_cast<uint8_t>(b);
    tables.canStart[b] = buffer.FirstByteMap[tables.folded[b]] != 0;
    tables.passOver[b] = tables.canStart[b] ? 0 : (IsSjisLead(static_cast<uint8_t>(b)) ? 2 : 1);
  }
  tables.fold = buffer.Fold;
  tables.valid = true;
  return tables;
}

namespace {

bool StartsAnchored(const RegexBuffer& buffer) {
  return buffer.Used > 0 && (buffer.Program()[0] == RegexOp::TextStart || buffer.Program()[0] == RegexOp::LineStart);
}

int CharSize(const uint8_t* text, int p) { return IsSjisLead(text[p]) ? 2 : 1; }

}  // namespace

int RegexSearch(RegexBuffer& buffer, const char* text, int length, int start, int range,
                RegexRegisters* registers) {
  if (length < 0 || start < 0 || start > length) return -1;
  range = std::clamp(range, 0, length - start);
  if (!buffer.MapValid) BuildFirstByteMap(buffer);
  if (StartsAnchored(buffer) && range > 0) {
    if (start > 0) return -1;
    range = 0;
  }
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  const RegexTextTables& tables = TextTablesFor(buffer);
  bool useMap = buffer.CanBeEmpty != 1;
  int limit = start + range;
  int p = start;
  if (ClassifyPosition(text, length, p) == 2) ++p;  // from here on p stays on character starts
  int64_t steps = kSearchStepLimit;
  while (p <= limit) {
    if (useMap) {
      for (int pass; p < limit && (pass = tables.passOver[bytes[p]]) != 0;) p += pass;
      if (p > limit) return -1;
    }
    if (p == length && buffer.CanBeEmpty == 0) return -1;
    int64_t attemptSteps = std::min(steps, kAttemptStepLimit);
    int64_t before = attemptSteps;
    int result = MatchAt(buffer, bytes, length, p, registers, attemptSteps);
    steps -= before - attemptSteps;
    if (result >= 0) return p;
    if (result == -2) return -2;
    if (p >= limit) return -1;
    p += p < length ? CharSize(bytes, p) : 1;
  }
  return -1;
}
