// Table-driven CRC-16 of LZH members: two bytes per step through a pair of 256-entry tables,
// both compile-time constants.
#include "viewer/archive/lzh_crc16.h"

#include <array>

namespace {

constexpr unsigned kReflectedPolynomial = 0xA001;  // 0x8005 with its bits reversed

struct Crc16Tables {
  std::array<uint16_t, 256> one{};  // the CRC of one byte
  std::array<uint16_t, 256> two{};  // the CRC of one byte followed by a zero byte
};

constexpr Crc16Tables MakeTables() {
  Crc16Tables t;
  for (unsigned i = 0; i < 256; ++i) {
    unsigned crc = i;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ ((crc & 1) ? kReflectedPolynomial : 0u);
    t.one[i] = uint16_t(crc);
  }
  for (unsigned i = 0; i < 256; ++i) t.two[i] = uint16_t((t.one[i] >> 8) ^ t.one[t.one[i] & 0xFF]);
  return t;
}

constexpr Crc16Tables kTables = MakeTables();

}  // namespace

uint16_t LzhCrc16Update(uint16_t crc, const uint8_t* data, size_t length) {
  unsigned value = crc;
  size_t i = 0;
  for (; i + 2 <= length; i += 2) {
    value ^= unsigned(data[i]) | (unsigned(data[i + 1]) << 8);
    value = kTables.two[value & 0xFF] ^ kTables.one[value >> 8];
  }
  for (; i < length; ++i) value = (value >> 8) ^ kTables.one[(value ^ data[i]) & 0xFF];
  return uint16_t(value);
}
