// The little-endian fields of archive headers, read from bytes in memory: every multi-byte
// field of the LZH and ZIP formats is stored low byte first.
#pragma once

#include <cstdint>

constexpr uint16_t LittleEndian16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

constexpr uint32_t LittleEndian32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

constexpr uint64_t LittleEndian64(const uint8_t* p) {
  return uint64_t(LittleEndian32(p)) | uint64_t(LittleEndian32(p + 4)) << 32;
}
