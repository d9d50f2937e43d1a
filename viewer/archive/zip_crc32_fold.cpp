// CRC-32 with carry-less multiplication (x86 PCLMULQDQ), used when the processor has it: the
// data is folded 64 bytes at a time into a 128-bit remainder that has the same CRC as the
// bytes it replaces; the table code then finishes with those 16 bytes and the tail.  Where the
// processor multiplies two lanes in one instruction (VPCLMULQDQ on 256-bit registers), long
// inputs are folded 128 bytes at a time first, at twice the rate.
#include "viewer/archive/zip_crc32_fold.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

#include <initializer_list>

namespace {

// x^(4*128+32) and x^(4*128-32) mod P (bit-reflected, shifted), then the same for one block.
constexpr long long kFold4Low = 0x154442bd4LL, kFold4High = 0x1c6e41596LL;
constexpr long long kFold1Low = 0x1751997d0LL, kFold1High = 0x0ccaa009eLL;
// x^(8*128+32) and x^(8*128-32) mod P: eight 16-byte lanes in four 256-bit registers.
constexpr long long kFold8Low = 0x1e88ef372LL, kFold8High = 0x14a7fe880LL;
constexpr size_t kWideStep = 128;

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

#define ZV_WIDE_TARGET __attribute__((target("vpclmulqdq,avx2,pclmul")))

ZV_WIDE_TARGET inline __m256i Load256(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }

ZV_WIDE_TARGET inline __m256i WideFold(__m256i x, __m256i k, const uint8_t* next) {
  __m256i low = _mm256_clmulepi64_epi128(x, k, 0x00);
  __m256i high = _mm256_clmulepi64_epi128(x, k, 0x11);
  return _mm256_xor_si256(_mm256_xor_si256(low, high), Load256(next));
}

// FoldBlocks for size >= 2 * kWideStep: four 256-bit registers hold eight consecutive 16-byte
// lanes, each folded 128 bytes ahead per step; the lanes are then folded into one, in order,
// and the 16-byte blocks left follow.
ZV_WIDE_TARGET size_t WideFoldBlocks(uint32_t crc, const uint8_t* p, size_t size, uint8_t remainder[16]) {
  __m256i y0 = _mm256_xor_si256(Load256(p), _mm256_zextsi128_si256(_mm_cvtsi32_si128(int(~crc))));
  __m256i y1 = Load256(p + 32), y2 = Load256(p + 64), y3 = Load256(p + 96);
  const __m256i k8 = _mm256_set_epi64x(kFold8High, kFold8Low, kFold8High, kFold8Low);
  size_t done = kWideStep;
  for (; size - done >= kWideStep; done += kWideStep) {
    y0 = WideFold(y0, k8, p + done);
    y1 = WideFold(y1, k8, p + done + 32);
    y2 = WideFold(y2, k8, p + done + 64);
    y3 = WideFold(y3, k8, p + done + 96);
  }
  const __m128i k1 = _mm_set_epi64x(kFold1High, kFold1Low);
  __m128i x = _mm256_castsi256_si128(y0);
  x = Fold(x, k1, _mm256_extracti128_si256(y0, 1));
  for (__m256i y : {y1, y2, y3}) {
    x = Fold(x, k1, _mm256_castsi256_si128(y));
    x = Fold(x, k1, _mm256_extracti128_si256(y, 1));
  }
  for (; size - done >= 16; done += 16)
    x = Fold(x, k1, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + done)));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(remainder), x);
  return done;
}

bool CanFoldWide() {
  static const bool supported = __builtin_cpu_supports("vpclmulqdq") && __builtin_cpu_supports("avx2");
  return supported;
}

}  // namespace

bool CanFoldCrc32() {
  static const bool supported = __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse2");
  return supported;
}

bool CanFoldCrc32Wide() { return CanFoldCrc32() && CanFoldWide(); }

size_t FoldCrc32(uint32_t crc, const uint8_t* data, size_t size, uint8_t remainder[16], bool wide) {
  if (wide && size >= 2 * kWideStep && CanFoldCrc32Wide()) return WideFoldBlocks(crc, data, size, remainder);
  return FoldBlocks(crc, data, size, remainder);
}

#else

bool CanFoldCrc32() { return false; }
bool CanFoldCrc32Wide() { return false; }
size_t FoldCrc32(uint32_t, const uint8_t*, size_t, uint8_t*, bool) { return 0; }

#endif
