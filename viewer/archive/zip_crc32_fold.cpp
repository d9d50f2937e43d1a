// CRC-32 with carry-less multiplication (x86 PCLMULQDQ), used when the processor has it: the
// data is folded 64 bytes at a time into a 128-bit remainder that has the same CRC as the
// bytes it replaces; the table code then finishes with those 16 bytes and the tail.
#include "viewer/archive/zip_crc32_fold.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {

// x^(4*128+32) and x^(4*128-32) mod P (bit-reflected, shifted), then the same for one block.
constexpr long long kFold4Low = 0x154442bd4LL, kFold4High = 0x1c6e41596LL;
constexpr long long kFold1Low = 0x1751997d0LL, kFold1High = 0x0ccaa009eLL;

__attribute__((target("pclmul,sse2"))) inline __m128i Fold(__m128i x, __m128i k, __m128i next) {
  __m128i low = _mm_clmulepi64_si128(x, k, 0x00);
  __m128i high = _mm_clmulepi64_si128(x, k, 0x11);
  return _mm_xor_si128(_mm_xor_si128(low, high), next);
}

__attribute__((target("pclmul,sse2"))) size_t FoldBlocks(uint32_t crc, const uint8_t* p,
                                                         size_t size, uint8_t remainder[16]) {
  const __m128i* v = reinterpret_cast<const __m128i*>(p);
  __m128i x0 = _mm_xor_si128(_mm_loadu_si128(v), _mm_cvtsi32_si128(int(~crc)));
  __m128i x1 = _mm_loadu_si128(v + 1), x2 = _mm_loadu_si128(v + 2), x3 = _mm_loadu_si128(v + 3);
  size_t done = 64;
  const __m128i k4 = _mm_set_epi64x(kFold4High, kFold4Low);
  for (; size - done >= 64; done += 64) {
    v = reinterpret_cast<const __m128i*>(p + done);
    x0 = Fold(x0, k4, _mm_loadu_si128(v));
    x1 = Fold(x1, k4, _mm_loadu_si128(v + 1));
    x2 = Fold(x2, k4, _mm_loadu_si128(v + 2));
    x3 = Fold(x3, k4, _mm_loadu_si128(v + 3));
  }
  const __m128i k1 = _mm_set_epi64x(kFold1High, kFold1Low);
  __m128i x = Fold(Fold(Fold(x0, k1, x1), k1, x2), k1, x3);
  for (; size - done >= 16; done += 16)
    x = Fold(x, k1, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + done)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(remainder), x);
  return done;
}

}  // namespace

bool CanFoldCrc32() {
  static const bool supported = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
  return supported;
}

size_t FoldCrc32(uint32_t crc, const uint8_t* data, size_t size, uint8_t remainder[16]) {
  return FoldBlocks(crc, data, size, remainder);
}

#else

bool CanFoldCrc32() { return false; }
size_t FoldCrc32(uint32_t, const uint8_t*, size_t, uint8_t*) { return 0; }

#endif
