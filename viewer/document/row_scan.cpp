// The row scan.  Bytes from 0x20 up advance the column by exactly their count (a double-byte
// character is two bytes and two columns), so the scan takes plain rows (no control byte but the
// line end, no wrap) 64 bytes at a time from a mask of the control bytes; elsewhere it jumps over
// such stretches to the next control byte and walks characters only near the wrap column, and
// handles tabs and control codes one by one.
#include "viewer/document/row_scan.h"

#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "text/sjis.h"
#include "viewer/document/control_byte_mask.h"

namespace {

// How the scan looks at many bytes at once: with SSE2 where the compiler has it, or with 64-bit
// words only (the builds without SSE2; the tests run both).
struct VectorBytes {
  static constexpr bool kSse2 = true;
  static uint64_t Mask(const char* block) { return ControlByteMask(block); }
};
struct PortableBytes {
  static constexpr bool kSse2 = false;
  static uint64_t Mask(const char* block) { return ControlByteMaskPortable(block); }
};

// The first byte below 0x20 in [p, end), or end when there is none; sixteen bytes at a time
// with SSE2, eight otherwise.
template <class Bytes>
inline char* FindControlByte(char* p, const char* end) {
#ifdef __SSE2__
  const __m128i highestControl = _mm_set1_epi8(0x1F);
  while (Bytes::kSse2 && end - p >= 16) {
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

// Where a scan stands, and the rows it has written.
struct RowWalk {
  const char* text;
  uint32_t* rows;
  char* p;
  int64_t c;
  char* rowStart;
  int32_t added = 0;

  void StartRow(char* at) {
    rows[added++] = uint32_t(at - text);
    p = rowStart = at;
    c = 0;
  }
};

// Whole rows a block of 64 bytes at a time: every row whose only control byte is its line end
// (LF, CR or CR LF) at or before the wrap column, so that it ends there and nowhere else.  Stops
// at the first row that needs the careful walk (a tab, a control code, a wrap), with the walk
// exactly where the careful walk would have taken it.  Reads no further than `limit`, and the
// byte after a CR (which the careful walk reads as well).
template <class Bytes>
void TakePlainRows(RowWalk& walk, const char* limit, int64_t wrap) {
  for (char* block = walk.p; limit - block >= kControlMaskBlock; block += kControlMaskBlock) {
    for (uint64_t controls = Bytes::Mask(block); controls != 0; controls &= controls - 1) {
      char* x = block + __builtin_ctzll(controls);
      if (x < walk.p) continue;  // the LF of a CR LF already taken
      if (walk.c + (x - walk.p) > wrap) return;
      if (*x == '\n') {
        walk.StartRow(x + 1);
      } else if (*x == '\r') {
        walk.StartRow(x[1] == '\n' ? x + 2 : x + 1);
      } else {
        return;
      }
    }
    if (walk.c + (block + kControlMaskBlock - walk.p) >= wrap) return;
  }
}

template <class Bytes>
int32_t ScanRows(const RowScanner& scanner, const char* text, RowScanState& state, const char* limit,
                 uint32_t* rows) {
  const int64_t wrap = WrapWidth(scanner.lineMax);
  const int64_t tab = scanner.tabSize < 1 ? 1 : scanner.tabSize;
  const int64_t controlWidth = scanner.controlCodesShown ? 2 : 1;
  RowWalk walk{text, rows, state.position, state.column, state.rowStart};
  char*& p = walk.p;
  int64_t& c = walk.c;
  bool rowJustStarted = true;
  while (p < limit) {
    if (rowJustStarted) {
      TakePlainRows<Bytes>(walk, limit, wrap);
      rowJustStarted = false;
    }
    if (c < wrap) {
      // Over bytes from 0x20 up the column grows by the byte count: jump to the first control
      // byte, or to the character boundary at the wrap column or the scan limit.
      char* end = limit - p > wrap - c ? p + (wrap - c) : const_cast<char*>(limit);
      char* q = FindControlByte<Bytes>(p, end);
      if (q == end && q > p) q = BoundaryAtOrAfter(p, q);
      c += q - p;
      p = q;
      if (p >= limit) break;
    }
    uint8_t b = uint8_t(*p);
    if (b == '\n') {
      walk.StartRow(++p);
      rowJustStarted = true;
    } else if (b == '\r') {
      if (*++p == '\n') ++p;
      walk.StartRow(p);
      rowJustStarted = true;
    } else if (c >= wrap) {
      walk.StartRow(p);
      rowJustStarted = true;
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
  state.rowStart = walk.rowStart;
  return walk.added;
}

}  // namespace

int32_t RowScanner::Scan(const char* text, RowScanState& state, const char* limit, uint32_t* rows) const {
  return ScanRows<VectorBytes>(*this, text, state, limit, rows);
}

int32_t RowScanner::ScanPortable(const char* text, RowScanState& state, const char* limit, uint32_t* rows) const {
  return ScanRows<PortableBytes>(*this, text, state, limit, rows);
}
