// CompileRegex + RegexSearch on random patterns and rows: no crash, no read outside the row
// (the row is copied into a buffer of exactly its size), and an end within the step limits.
// The search plan only ever rules out rows without a match: a match holds every required
// literal, starts at 0 when anchored (on a byte the first-byte map allows), and a pattern
// planned not to give up does not.
// Input: 1 byte of flags (bit 0: fold case), 1 byte of pattern length, the pattern, the row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "viewer/search/regex.h"
#include "viewer/search/regex_matcher.h"
#include "viewer/search/regex_plan.h"

namespace {

void CheckPlan(RegexBuffer& buffer, const char* row, int length, int at) {
  RegexPlan plan;
  PlanRegex(buffer, plan);
  if (plan.cannotGiveUp && at == -2) std::abort();
  if (at < 0) return;
  for (int i = 0; i < plan.literalCount; ++i) {
    if (plan.literals[i].Find(row, row + length) == nullptr) std::abort();
  }
  if (plan.anchored && at != 0) std::abort();
  if (plan.anchored && buffer.CanBeEmpty != 1) {
    bool allowed = length == 0 ? buffer.CanBeEmpty != 0 : TextTablesFor(buffer).canStart[uint8_t(row[0])] != 0;
    if (!allowed) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  bool fold = data[0] & 1;
  size_t patternLength = data[1];
  data += 2;
  size -= 2;
  if (patternLength > size) patternLength = size;
  size_t rowLength = size - patternLength;
  if (rowLength > 256) rowLength = 256;

  auto pattern = std::make_unique<char[]>(patternLength + 1);
  std::memcpy(pattern.get(), data, patternLength);
  auto row = std::make_unique<char[]>(rowLength + 1);
  std::memcpy(row.get(), data + patternLength, rowLength);

  static RegexBuffer buffer;
  buffer.Fold = fold ? FoldUpper : KeepCase;
  if (!CompileRegex(pattern.get(), int(patternLength), buffer)) return 0;
  BuildFirstByteMap(buffer);
  RegexRegisters registers;
  int length = int(rowLength);
  int at = RegexSearch(buffer, row.get(), length, 0, length, &registers);
  CheckPlan(buffer, row.get(), length, at);
  if (at >= 0) {
    if (registers.start[0] != at || registers.end[0] < at || registers.end[0] > length) std::abort();
    if (ClassifyPosition(row.get(), length, at) == 2) std::abort();  // never on a second byte
    // The match found is the one RegexMatch gives at that start.
    RegexRegisters again;
    if (RegexMatch(buffer, row.get(), length, at, &again) != registers.end[0] - at) std::abort();
  }
  // The first-byte map and the second-byte skipping never pass over a start that matches.
  if (at != -2 && length <= 64) {
    int end = at >= 0 ? at : length + 1;
    for (int p = 0; p < end; ++p) {
      if (ClassifyPosition(row.get(), length, p) == 2) continue;
      if (RegexMatch(buffer, row.get(), length, p, nullptr) >= 0) std::abort();
    }
  }
  for (int g = 1; g < 3; ++g) {
    if (registers.start[g] < -1 || registers.end[g] > length) std::abort();
  }
  return 0;
}
