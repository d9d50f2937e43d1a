// The string matcher against a naive search: the same leftmost hit, never on a second byte,
// and no read outside the row.  The block scan's LiteralScan, with and without folding, finds
// exactly the positions whose bytes match, reading nothing outside the row.
// Input: 1 byte of pattern length, the pattern, the row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "text/sjis.h"
#include "viewer/search/literal_scan.h"
#include "viewer/search/string_match.h"

namespace {

int NaiveFind(const uint8_t* row, int length, const uint8_t* pattern, int m) {
  if (m == 0) return -1;
  // A position is a second byte when it has the trail flag and follows an odd run of lead
  // bytes; a run's parity is kept while walking.
  bool oddLeads = false;
  for (int i = 0; i + m <= length; ++i) {
    bool second = oddLeads && IsSjisTrail(row[i]);
    if (!second && std::memcmp(row + i, pattern, size_t(m)) == 0) return i;
    oddLeads = IsSjisLead(row[i]) ? !oddLeads : false;
  }
  return -1;
}

bool BytesMatch(const uint8_t* at, const uint8_t* pattern, int m, bool fold) {
  for (int i = 0; i < m; ++i) {
    bool letter = fold && pattern[i] >= 'A' && pattern[i] <= 'Z';
    if (at[i] != pattern[i] && !(letter && at[i] == pattern[i] + 0x20)) return false;
  }
  return true;
}

// Every position LiteralScan reports, in order, against every position that matches.
void CheckLiteralScan(const uint8_t* pattern, int m, const uint8_t* data, int n, bool fold) {
  auto row = std::make_unique<char[]>(size_t(n));  // exactly the row: a read past it is caught
  if (n > 0) std::memcpy(row.get(), data, size_t(n));
  LiteralScan scan;
  scan.Build(pattern, m, fold);
  const char* end = row.get() + n;
  const char* found = scan.Find(row.get(), end);
  for (int i = 0; i + m <= n && m > 0; ++i) {
    if (!BytesMatch(data + i, pattern, m, fold)) continue;
    if (found != row.get() + i) std::abort();
    found = scan.Find(found + 1, end);
  }
  if (found != nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t m = data[0];
  data += 1;
  size -= 1;
  if (m > size) m = size;
  size_t n = size - m;
  if (n > 511) n = 511;
  auto pattern = std::make_unique<uint8_t[]>(m + 1);
  std::memcpy(pattern.get(), data, m);
  auto row = std::make_unique<char[]>(n + 1);
  std::memcpy(row.get(), data + m, n);

  SkipTable table;
  BuildSkipTable(reinterpret_cast<const char*>(pattern.get()), int(m), table);
  int found = FindString(table, row.get(), int(n));
  int expected = NaiveFind(reinterpret_cast<const uint8_t*>(row.get()), int(n), pattern.get(), int(m));
  if (found != expected) std::abort();
  if (found >= 0 && IsTrailPosition(row.get(), found)) std::abort();
  for (bool fold : {false, true}) CheckLiteralScan(pattern.get(), int(m), data + m, int(n), fold);
  return 0;
}
