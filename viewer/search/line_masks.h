// Which bytes of a 64-byte block are line feeds and which carriage returns, one bit per byte:
// the streamed search counts the rows of short lines from them.  The portable form is the
// fallback where SSE2 is missing and the oracle in the tests.
#pragma once

#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

constexpr int kLineMaskBlock = 64;

struct LineMasks {
  uint64_t lineFeeds;
  uint64_t carriageReturns;
};

inline LineMasks LineMasksPortable(const char* block) {
  LineMasks masks{0, 0};
  for (int i = 0; i < kLineMaskBlock; ++i) {
    masks.lineFeeds |= uint64_t(block[i] == '\n') << i;
    masks.carriageReturns |= uint64_t(block[i] == '\r') << i;
  }
  return masks;
}

#ifdef __SSE2__
inline LineMasks LineMasksSse2(const char* block) {
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i carriageReturn = _mm_set1_epi8('\r');
  LineMasks masks{0, 0};
  for (int lane = 0; lane < kLineMaskBlock / 16; ++lane) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * lane));
    masks.lineFeeds |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(x, lineFeed)))) << (16 * lane);
    masks.carriageReturns |= uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(x, carriageReturn)))) << (16 * lane);
  }
  return masks;
}
#endif

// The form this build uses.
#ifdef __SSE2__
inline LineMasks BlockLineMasks(const char* block) { return LineMasksSse2(block); }
#else
inline LineMasks BlockLineMasks(const char* block) { return LineMasksPortable(block); }
#endif

// The number of bits set (the compiler's built-in calls a library routine without POPCNT).
inline int BitCount(uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ull);
  x = (x & 0x3333333333333333ull) + ((x >> 2) & 0x3333333333333333ull);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0Full;
  return int((x * 0x0101010101010101ull) >> 56);
}
