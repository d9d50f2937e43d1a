// The CRC-32's fast paths (eight-table slicing, folding one lane, folding two lanes) against the
// CRC computed one bit at a time, on random lengths around every step of each path and at every
// alignment of the start.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "viewer/archive/zip_crc32.h"
#include "viewer/archive/zip_crc32_fold.h"

namespace {

// The CRC register (reflected, without the inversions) after `size` more bytes, one bit at a time.
uint32_t BitwiseRegister(uint32_t c, const uint8_t* data, size_t size) {
  for (size_t i = 0; i < size; ++i) {
    c ^= data[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return c;
}

uint32_t BitwiseCrc32(const uint8_t* data, size_t size) { return ~BitwiseRegister(~0u, data, size); }

// The CRC through FoldCrc32 with the remainder and the tail finished one bit at a time: checks
// a folding path alone, whatever UpdateCrc32 chooses.  The remainder's register from 0
// continues like that of ~crc over the folded bytes.
uint32_t FoldedCrc32(uint32_t crc, const uint8_t* data, size_t size, bool wide) {
  uint8_t remainder[16];
  size_t folded = FoldCrc32(crc, data, size, remainder, wide);
  return ~BitwiseRegister(BitwiseRegister(0, remainder, sizeof remainder), data + folded, size - folded);
}

TEST(ZipCrc32, EveryPathAgreesWithTheBitwiseCrcAtEveryAlignment) {
  std::mt19937 random(3309);
  std::vector<uint8_t> data(21000);
  for (uint8_t& b : data) b = uint8_t(random());
  std::vector<size_t> lengths = {0, 1, 7, 8, 15, 16, 63, 64, 65, 127, 128, 129, 255, 256, 257, 383, 384, 385, 1000};
  for (int i = 0; i < 40; ++i) lengths.push_back(random() % 20000);
  for (size_t length : lengths) {
    for (size_t offset = 0; offset < 33; ++offset) {
      const uint8_t* p = data.data() + offset;
      uint32_t expected = BitwiseCrc32(p, length);
      ASSERT_EQ(UpdateCrc32(0, p, length), expected) << length << " at " << offset;
      // A continued CRC: the first part one way, the rest another.
      size_t split = length / 3;
      ASSERT_EQ(UpdateCrc32(UpdateCrc32(0, p, split), p + split, length - split), expected) << length;
      if (length < 64 || !CanFoldCrc32()) continue;
      uint32_t start = UpdateCrc32(0, p, split);
      for (bool wide : {false, true}) {
        ASSERT_EQ(FoldedCrc32(0, p, length, wide), expected) << length << " at " << offset << " wide " << wide;
        if (length - split >= 64) {
          ASSERT_EQ(FoldedCrc32(start, p + split, length - split, wide), expected) << length;
        }
      }
    }
  }
}

}  // namespace
