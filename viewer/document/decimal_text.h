// Decimal digits without the C library's formatting, which is a noticeable part of the time
// where a number is written for every chunk loaded or every hit found.  Digits are written in
// pairs from the end, their count known first.
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

// 1, 10, 100, ... 10^19: the smallest value of each count of digits.
struct PowersOfTen {
  uint64_t values[20];
};
inline constexpr PowersOfTen kPowersOfTen = [] {
  PowersOfTen powers{};
  uint64_t power = 1;
  for (uint64_t& value : powers.values) {
    value = power;
    power *= 10;
  }
  return powers;
}();

// How many decimal digits `value` has (1 for 0): from its count of bits (1233 / 4096 is just
// over log10 2, so the estimate is the count or one short of it), then one comparison.
inline int DecimalDigitCount(uint64_t value) {
  if (value < 10) return 1;
  const int bits = 64 - __builtin_clzll(value);
  const int estimate = (bits * 1233) >> 12;
  return estimate + (value >= kPowersOfTen.values[estimate] ? 1 : 0);
}

// Writes the decimal digits of value at out (a '-' first when negative); returns the end.
// `out` must hold 20 bytes.  Four digits a step from the end, the two pairs of a step apart, so
// that each step waits on one division only.
inline char* AppendDecimal(char* out, int64_t value) {
  uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  if (value < 0) *out++ = '-';
  char* end = out + DecimalDigitCount(magnitude);
  char* p = end;
  for (; magnitude >= 10000; magnitude /= 10000) {
    const auto four = uint32_t(magnitude % 10000);
    p -= 4;
    std::memcpy(p, kDecimalPairs.digits + 2 * (four / 100), 2);
    std::memcpy(p + 2, kDecimalPairs.digits + 2 * (four % 100), 2);
  }
  if (magnitude >= 100) {
    p -= 2;
    std::memcpy(p, kDecimalPairs.digits + 2 * (magnitude % 100), 2);
    magnitude /= 100;
  }
  if (magnitude >= 10) {
    std::memcpy(out, kDecimalPairs.digits + 2 * magnitude, 2);
  } else {
    *out = char('0' + magnitude);
  }
  return end;
}
