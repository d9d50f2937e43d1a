// Boyer-Moore-Horspool over one row, with the Shift-JIS second-byte check.
#include "viewer/search/string_match.h"

#include "text/sjis.h"

void BuildSkipTable(const char* pattern, int length, SkipTable& table) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(pattern);
  table.PatternLength = length;
  table.pattern = bytes;
  for (int32_t& entry : table.skip) entry = length;
  for (int i = 0; i < length; ++i) table.skip[bytes[i]] = length - 1 - i;
}

bool IsTrailPosition(const char* text, int pos) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  if (!IsSjisTrail(bytes[pos])) return false;
  int leads = 0;
  for (int q = pos - 1; q >= 0 && IsSjisLead(bytes[q]); --q) ++leads;
  return leads % 2 == 1;
}

int FindString(const SkipTable& table, const char* text, int length) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  const uint8_t* pattern = table.pattern;
  const int m = table.PatternLength;
  if (m <= 0 || m > length) return -1;
  int p = m - 1;
  while (p <= length - 1) {
    int s = table.skip[bytes[p]];
    if (s > 0) {
      p += s;
      continue;
    }
    int r = p;
    int k = m - 1;
    while (k > 0 && bytes[r - 1] == pattern[k - 1]) {
      --r;
      --k;
    }
    if (k == 0 && !IsTrailPosition(text, r)) return r;
    int q = r + table.skip[bytes[r]];
    p = q > p ? q : p + 1;
  }
  return -1;
}

void UpperCaseSjis(char* text, int length) {
  auto* bytes = reinterpret_cast<uint8_t*>(text);
  for (int i = 0; i < length; ++i) {
    if (IsSjisLead(bytes[i])) {
      ++i;
    } else if (bytes[i] >= 'a' && bytes[i] <= 'z') {
      bytes[i] = static_cast<uint8_t>(bytes[i] - 0x20);
    }
  }
}
