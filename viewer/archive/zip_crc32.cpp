// CRC-32 by slicing: eight lookup tables, each advancing the register over one more byte, so
// that one step consumes eight input bytes.  Long inputs take the folding path first where the
// processor has one (zip_crc32_fold.cpp).
#include "viewer/archive/zip_crc32.h"

#include <array>

#include "viewer/archive/little_endian.h"
#include "viewer/archive/zip_crc32_fold.h"

namespace {

using Crc32Tables = std::array<std::array<uint32_t, 256>, 8>;

constexpr Crc32Tables MakeTables() {
  Crc32Tables t{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][n] = c;
  }
  for (uint32_t n = 0; n < 256; ++n)
    for (int k = 1; k < 8; ++k) t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
  return t;
}

constexpr Crc32Tables kTables = MakeTables();

// The register after the bytes, without the inversions at the start and the end.
uint32_t RawCrc32(uint32_t c, const uint8_t* p, size_t size) {
  for (; size >= 8; size -= 8, p += 8) {
    uint32_t low = c ^ LittleEndian32(p);
    uint32_t high = LittleEndian32(p + 4);
    c = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^ kTables[5][(low >> 16) & 0xFF] ^
        kTables[4][low >> 24] ^ kTables[3][high & 0xFF] ^ kTables[2][(high >> 8) & 0xFF] ^
        kTables[1][(high >> 16) & 0xFF] ^ kTables[0][high >> 24];
  }
  for (; size > 0; --size, ++p) c = kTables[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return c;
}

}  // namespace

uint32_t UpdateCrc32(uint32_t crc, const void* data, size_t size) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  if (size >= 64 && CanFoldCrc32()) {
    uint8_t remainder[16];
    size_t folded = FoldCrc32(crc, p, size, remainder);
    return ~RawCrc32(RawCrc32(0, remainder, 16), p + folded, size - folded);
  }
  return ~RawCrc32(~crc, p, size);
}
