// Decimal digits without the C library's formatting, which is a noticeable part of the time
// where a number is written for every chunk loaded or every hit found.
#pragma once

#include <cstdint>

// Writes the decimal digits of value at out (a '-' first when negative); returns the end.
// `out` must hold 20 bytes.
inline char* AppendDecimal(char* out, int64_t value) {
  uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
  if (value < 0) *out++ = '-';
  char digits[20];
  int count = 0;
  do digits[count++] = char('0' + magnitude % 10), magnitude /= 10;
  while (magnitude > 0);
  while (count > 0) *out++ = digits[--count];
  return out;
}
