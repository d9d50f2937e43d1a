// Decimal digits without the C library's formatting, which is a noticeable part of the time
// where a number is written for every chunk loaded or every hit found.  Digits are written two
// at a time from the end, their count known first.
#pragma once

#include <cstdint>
#include <cstring>

// "00" to "99", two characters each.
struct DecimalPairs {
  char digits[200];
};
inline constexpr DecimalPairs kDecimalPairs = [] {
  DecimalPairs pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs.digits[2 * i] = char('0' + i / 10);
    pairs.digits[2 * i + 1] = char('0' + i % 10);
  }
  return pairs;
}();

// How many decimal digits `value` has (1 for 0).
inline int DecimalDigitCount(uint64_t value) {
  int count = 1;
  for (uint64_t bound = 10; count < 20 && value >= bound; bound *= 10) ++count;
  return count;
}

// Writes the decimal digits of value at out (a '-' first when negative); returns the end.
// `out` must hold 20 bytes.
inline char* AppendDecimal(char* out, int64_t value) {
  uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  if (value < 0) *out++ = '-';
  char* end = out + DecimalDigitCount(magnitude);
  char* p = end;
  for (; magnitude >= 100; magnitude /= 100) {
    p -= 2;
    std::memcpy(p, kDecimalPairs.digits + 2 * (magnitude % 100), 2);
  }
  if (magnitude >= 10) {
    std::memcpy(out, kDecimalPairs.digits + 2 * magnitude, 2);
  } else {
    *out = char('0' + magnitude);
  }
  return end;
}
