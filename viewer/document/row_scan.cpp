// The row scan.  Bytes from 0x20 up advance the column by exactly their count (a double-byte
// character is two bytes and two columns), so the scan jumps over such stretches to the next
// control byte, eight bytes at a time, and walks characters only near the wrap column; line
// ends, tabs and control codes are handled one by one.
#include "viewer/document/row_scan.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/sjis.h"

namespace {

// The first byte below 0x20 in [p, end), or end when there is none; sixteen bytes at a time
// where SSE2 is there, eight otherwise.
inline char* FindControlByte(char* p, const char* end) {
#ifdef __SSE2__
  const __m128i highestControl = _mm_set1_epi8(0x1F);
  while (end - p >= 16) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    int below = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(x, highestControl), x));
    if (below) return p + __builtin_ctz(unsigned(below));
    p += 16;
  }
#endif
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  while (end - p >= 8) {
    uint64_t x;
    std::memcpy(&x, p, 8);
    // The lowest flagged byte is exact (a borrow only runs upward from a true one).
    uint64_t below = (x - 0x20 * kOnes) & ~x & (0x80 * kOnes);
    if (below) return p + (__builtin_ctzll(below) >> 3);
    p += 8;
  }
  while (p < end && uint8_t(*p) >= 0x20) ++p;
  return p;
}

// Walking characters from the boundary p, the first boundary at or after target (target or
// target + 1, when a double-byte character starts at target - 1).  Every byte in between is
// 0x20 or above.  The byte after one that cannot begin a double-byte character is a boundary,
// so the walk starts at the last such byte.
inline char* BoundaryAtOrAfter(char* p, char* target) {
  char* q = target - 1;
  while (q > p && IsSjisLead(uint8_t(q[-1]))) --q;
  while (q < target) q += (IsSjisLead(uint8_t(*q)) && IsSjisTrail(uint8_t(q[1]))) ? 2 : 1;
  return q;
}

}  // namespace

int32_t RowScanner::Scan(const char* text, RowScanState& state, const char* limit, uint32_t* rows) const {
  const int64_t wrap = WrapWidth(lineMax);
  const int64_t tab = tabSize < 1 ? 1 : tabSize;
  const int64_t controlWidth = controlCodesShown ? 2 : 1;
  char* p = state.position;
  int64_t c = state.column;
  int32_t added = 0;
  auto startRow = [&](char* at) {
    rows[added++] = uint32_t(at - text);
    state.rowStart = at;
    c = 0;
  };
  while (p < limit) {
    if (c < wrap) {
      // Over bytes from 0x20 up the column grows by the byte count: jump to the first control
      // byte, or to the character boundary at the wrap column or the scan limit.
      char* end = limit - p > wrap - c ? p + (wrap - c) : const_cast<char*>(limit);
      char* q = FindControlByte(p, end);
      if (q == end && q > p) q = BoundaryAtOrAfter(p, q);
      c += q - p;
      p = q;
      if (p >= limit) break;
    }
    uint8_t b = uint8_t(*p);
    if (b == '\n') {
      startRow(++p);
    } else if (b == '\r') {
      if (*++p == '\n') ++p;
      startRow(p);
    } else if (c >= wrap) {
      startRow(p);
    } else if (b == '\t') {
      ++p;
      c = (c / tab + 1) * tab;
    } else {  // a control code (a byte from 0x20 up would have been part of the stretch)
      ++p;
      c += controlWidth;
    }
  }
  state.position = p;
  state.column = c;
  return added;
}
