// The string matcher against a naive search: the same leftmost hit, never on a second byte,
// and no read outside the row.  Input: 1 byte of pattern length, the pattern, the row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "viewer/document/sjis.h"
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
  return 0;
}
