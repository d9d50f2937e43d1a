// Which bytes of a 64-byte block are control bytes (below 0x20: line ends, tabs and the other
// control codes), as one bit per byte.  The row scan uses the mask to take whole lines at a
// time; the portable form is the fallback where SSE2 is missing and the oracle in the tests.
#pragma once

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

constexpr int kControlMaskBlock = 64;

// Bit i is set when block[i] < 0x20; eight bytes at a time in a 64-bit word.
inline uint64_t ControlByteMaskPortable(const char* block) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHighBits = 0x80 * kOnes;
  // Multiplying the eight 0/1 bytes by this gathers byte i's bit into bit 56 + i.
  constexpr uint64_t kGatherLowBits = 0x0102040810204080ull;
  uint64_t mask = 0;
  for (int word = 0; word < kControlMaskBlock / 8; ++word) {
    uint64_t x;
    std::memcpy(&x, block + 8 * word, 8);
    // The high bit of a byte ends up set when the byte is 0x20 or above: its low seven bits
    // plus 0x60 reach 0x80 from 0x20 up (with no carry into the next byte), or it was set.
    uint64_t textBytes = (((x & ~kHighBits) + 0x60 * kOnes) | x) & kHighBits;
    uint64_t controlBytes = (textBytes ^ kHighBits) >> 7;
    mask |= ((controlBytes * kGatherLowBits) >> 56) << (8 * word);
  }
  return mask;
}

#ifdef __SSE2__
inline uint64_t ControlByteMaskSse2(const char* block) {
  const __m128i highestControl = _mm_set1_epi8(0x1F);
  uint64_t mask = 0;
  for (int lane = 0; lane < kControlMaskBlock / 16; ++lane) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * lane));
    uint32_t below = uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(x, highestControl), x)));
    mask |= uint64_t(below) << (16 * lane);
  }
  return mask;
}
#endif

inline uint64_t ControlByteMask(const char* block) {
#ifdef __SSE2__
  return ControlByteMaskSse2(block);
#else
  return ControlByteMaskPortable(block);
#endif
}
